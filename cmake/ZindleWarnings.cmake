# Every target of ours links this to get the same strict warnings.
add_library(zindle_warnings INTERFACE)
target_compile_options(zindle_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Werror=return-type)
