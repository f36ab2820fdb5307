# cmake -DBUNDLE=<Name.plugin folder> -DINFO=<Info.plist> -DMODULE=<plug-in module>
#       -DMANIFEST=<source.cpp> -DSYMBOL=<Name> -P make_payload_bundle.cmake
# Makes a payload bundle, Contents/Info.plist and Contents/MacOS/Glaive, with modes of its own
# rather than the build's umask, and its manifest as code: each file's path in the bundle, mode and
# SHA-256, hashed from the bundle just made. The program checks the bundle it carries and every
# copy it makes of it against the manifest.
file(REMOVE_RECURSE "${BUNDLE}")
file(MAKE_DIRECTORY "${BUNDLE}/Contents/MacOS")
set(entries "")
# place(<path in the bundle> <source> <mode in octal> <the same mode as CMake's permission names>...)
macro(place path source mode)
  file(COPY_FILE "${source}" "${BUNDLE}/${path}")
  file(CHMOD "${BUNDLE}/${path}" PERMISSIONS ${ARGN})
  file(SHA256 "${BUNDLE}/${path}" digest)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${digest}")
  string(APPEND entries "    {\"${path}\", ${mode}, {${bytes}}},\n")
endmacro()
place(Contents/Info.plist "${INFO}" 0644 OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
place(Contents/MacOS/Glaive "${MODULE}" 0755
      OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

get_filename_component(name "${BUNDLE}" NAME)
file(WRITE "${MANIFEST}" "// Made by the build from ${name}.
#include \"installer/mac/payload_manifest.h\"

namespace installer::mac::manifests {

namespace {

const manifest_file files[] = {
${entries}};

} // namespace

const std::span<const manifest_file> ${SYMBOL}{files};

} // namespace installer::mac::manifests
")
