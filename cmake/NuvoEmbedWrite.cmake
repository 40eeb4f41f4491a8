# Writes OUT: a C++ source defining nuvo::embedded::SYMBOL as the bytes of IN.
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('[^']*',){24})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUT}" "// Generated from ${IN}; do not edit.\n#include <string_view>\n"
  "namespace nuvo::embedded {\nstatic const char data[] = {${bytes} '\\0'};\n"
  "extern const std::string_view ${SYMBOL};\n"
  "const std::string_view ${SYMBOL}(data, ${size});\n}\n")
