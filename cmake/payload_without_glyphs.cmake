# cmake -P script: copies the payload resource script IN to OUT with resource 110 (the glyph
# sheets) replaced by a damaged stream, for the test build of an Installer that cannot start.
file(STRINGS "${IN}" lines)
set(out "// ${IN} with resource 110 replaced by a stream that does not inflate.\n")
foreach(line IN LISTS lines)
  if(line MATCHES "^110 TEXT ")
    string(APPEND out "110 TEXT { 0xDA78, 0x1234, 0xFFFF }\n")
  else()
    string(APPEND out "${line}\n")
  endif()
endforeach()
file(WRITE "${OUT}" "${out}")
