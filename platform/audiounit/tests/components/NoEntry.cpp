// A shared library that is no effect: it lacks the entry a host looks for.
extern "C" int zindleTestNotAnEffect()
{
    return 42;
}
