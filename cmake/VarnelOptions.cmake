# Options every target of the project's own code gets.
#
# Sources are UTF-8; narrow literals are compiled to GBK so that "修改后" holds
# the bytes the program shows and writes, on every body.
function(varnel_options target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /source-charset:utf-8 /execution-charset:.936)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Werror -Wshadow -Wconversion -Wno-sign-conversion
      # Forms are written with designated initializers that leave defaults out.
      -Wno-missing-field-initializers
      -finput-charset=UTF-8)
    # clang knows no GBK execution character set: there the literals stay
    # UTF-8 (the fuzz build), which the byte-wise logic does not mind.
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      target_compile_options(${target} PRIVATE -fexec-charset=GBK)
    endif()
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                 _WIN32_WINNT=0x0601 WINVER=0x0601)
  endif()
endfunction()

if(VARNEL_FUZZ)
  # Coverage for libFuzzer in every library the targets link.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(VARNEL_SANITIZE AND NOT MSVC)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(MINGW)
  # One exe that needs no DLL beyond Windows' own.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
