# The warning set every wux target compiles with.
set(WUX_WARNINGS
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
    -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
if(WUX_WERROR)
    list(APPEND WUX_WARNINGS -Werror)
endif()

function(wux_set_warnings target)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${WUX_WARNINGS}>)
endfunction()

# Programs and the DLL link the GCC runtime statically: they then import only
# system DLLs and run under Wine and on Windows without companion DLLs.
function(wux_static_runtime target)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()
