# Writes OUTPUT, a C++ source defining `std::string_view zu::<SYMBOL>()` that returns the
# bytes of INPUT. Run with cmake -P at build time so an edited resource is embedded again.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.\n"
"#include <string_view>\n\n"
"namespace zu {\n\n"
"namespace {\n"
"// One byte more than the file, so an empty file still makes a valid array.\n"
"const unsigned char kBytes[${size} + 1] = {${bytes}0};\n"
"}  // namespace\n\n"
"std::string_view ${SYMBOL}() { return {reinterpret_cast<const char*>(kBytes), ${size}}; }\n\n"
"}  // namespace zu\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
