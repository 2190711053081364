# Our own targets build with every usual warning as an error; third-party code
# (GoogleTest built from source for Windows) is left with its own flags.
function(ondrava_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
