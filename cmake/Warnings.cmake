# Our own code builds without warnings; third-party headers come in as system headers.
function(vadididod_warnings target)
    # GCC's -Wshadow=local is clang's -Wshadow-uncaptured-local (the fuzz build is clang's).
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
        $<IF:$<CXX_COMPILER_ID:Clang>,-Wshadow-uncaptured-local,-Wshadow=local>)
endfunction()
