// The main of the host tool's tests: the effect's principal and model need a
// QCoreApplication, as the program itself makes one (a QApplication for the window of show).

#include <gtest/gtest.h>

#ifdef ZINDLE_HOST_TEST_WINDOWS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include <cstdlib>
#include <string>

#include <unistd.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Every effect instance starts an update check: keep it, and the programs these tests
    // run, off the network (nothing listens on port 1).
    setenv("ZINDLE_UPDATE_FEED_URL", "http://127.0.0.1:1/zindle/zindle.xml", 1);
    // Live playback goes to a JACK server when one runs: name one that none runs under, so the
    // tests (and the programs they run) play silently whatever this machine runs. The test that
    // plays through JACK starts a server of its own.
    const std::string noServer = "zindle-test-no-server-" + std::to_string(getpid());
    setenv("JACK_DEFAULT_SERVER", noServer.c_str(), 1);
#ifdef ZINDLE_HOST_TEST_WINDOWS
    QApplication application(argc, argv); // the tests of show's window
#else
    QCoreApplication application(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
