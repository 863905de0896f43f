# Settings every target of ours gets: the same warnings everywhere, errors only
# with VEILIX_WERROR (developers and CI), so a packager's or user's build with
# another compiler does not stop on a warning; the sanitizer build instruments
# everything we compile.
if(VEILIX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

function(veilix_our_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(VEILIX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(VEILIX_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC's flow analysis under the sanitizers reports uninitialised reads
    # inside the standard library (std::regex, std::function) that are not there.
    target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
  endif()
endfunction()
