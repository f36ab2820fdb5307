# cmake -DINPUT=<file> -DOUTPUT=<source.cpp> -DSYMBOL=<name> -P record_digest.cmake
# Writes the SHA-256 of a payload file as a constant of the program's code, so that the program can
# tell whether the payload it carries is still the one it was built with.
file(SHA256 "${INPUT}" digest)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${digest}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}" "// Made by the build from ${name}.
#include \"installer/payload/payload_digest.h\"

namespace installer::payload {

const sha256_sum ${SYMBOL}{${bytes}};

} // namespace installer::payload
")
