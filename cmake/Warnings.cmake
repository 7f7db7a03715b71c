add_library(quexa_warnings INTERFACE)
target_compile_options(quexa_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                                -Wno-sign-conversion)
