# cmake -P script: copies the payload resource script IN to OUT with the stream of resource ID
# cut short to its first KEEP bytes (an even number), as a download cut short would leave it:
# the test builds of an Installer whose glyph sheets or one of whose files do not inflate.
file(STRINGS "${IN}" lines)
set(out "// ${IN} with resource ${ID} cut to its first ${KEEP} bytes.\n")
foreach(line IN LISTS lines)
  if(line MATCHES "^${ID} TEXT \"(.*)\"$")
    file(READ "${CMAKE_MATCH_1}" hex LIMIT ${KEEP} HEX)
    # The resource compiler takes raw data as 16-bit little-endian words.
    string(REGEX MATCHALL "(..)(..)" pairs "${hex}")
    set(words "")
    foreach(pair IN LISTS pairs)
      string(SUBSTRING "${pair}" 0 2 low)
      string(SUBSTRING "${pair}" 2 2 high)
      list(APPEND words "0x${high}${low}")
    endforeach()
    list(JOIN words ", " words)
    string(APPEND out "${ID} TEXT { ${words} }\n")
  else()
    string(APPEND out "${line}\n")
  endif()
endforeach()
file(WRITE "${OUT}" "${out}")
