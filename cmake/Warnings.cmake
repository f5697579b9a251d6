# Our own code builds without warnings; third-party headers come in as system headers.
function(vadididod_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor)
endfunction()
