# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -DNAMESPACE=ns -P embed_one_file.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}" "#include <cstddef>\n\nnamespace ${NAMESPACE} {\n\nextern const unsigned char ${SYMBOL}[];\nextern const std::size_t ${SYMBOL}_size;\n\nalignas(8) const unsigned char ${SYMBOL}[] = {\n    ${bytes}\n};\nconst std::size_t ${SYMBOL}_size = ${byte_count};\n\n} // namespace ${NAMESPACE}\n")
