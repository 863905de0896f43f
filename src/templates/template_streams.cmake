# Turns one stored template PNG into a C++ source holding its bytes.
# Run as: cmake -DINPUT=<png> -DOUTPUT=<cpp> -DSYMBOL=<Name> -P template_streams.cmake
# and defines veilix::embedded::k<Name>Png and k<Name>PngSize.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
# 16 bytes a line keeps the generated source readable.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 16 line_of_bytes)
string(REGEX REPLACE "(${line_of_bytes})" "\\1\n    " bytes "${bytes}")
set(content "// Generated from ${INPUT}; do not edit.
#include <cstddef>
#include <cstdint>

namespace veilix::embedded {

extern const std::uint8_t k${SYMBOL}Png[];
extern const std::size_t k${SYMBOL}PngSize;

const std::uint8_t k${SYMBOL}Png[] = {
    ${bytes}
};
const std::size_t k${SYMBOL}PngSize = ${size};

}  // namespace veilix::embedded
")
# Rewriting an unchanged file would only force a needless recompile.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL content)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${content}")
