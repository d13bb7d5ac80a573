#include "Tarnkit/Foundation/Binding.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

namespace tarnkit {

namespace {

const Transaction defaultTransaction;
const Transaction* currentTransaction = &defaultTransaction; // main thread only

} // namespace

const Transaction& Transaction::current()
{
    requireBindingOnMainThread(__LINE__);
    return *currentTransaction;
}

void withTransaction(const Transaction& transaction, const std::function<void()>& body)
{
    requireBindingOnMainThread(__LINE__);
    struct Restore {
        const Transaction* previous;
        ~Restore() { currentTransaction = previous; }
    } restore{currentTransaction};
    currentTransaction = &transaction;
    body();
}

void requireBindingOnMainThread(int line)
{
    if (!foundation::mainQueue::isMainThread())
        foundation::fatalError("a binding is used off the main thread", "Tarnkit/Binding", line);
}

} // namespace tarnkit
