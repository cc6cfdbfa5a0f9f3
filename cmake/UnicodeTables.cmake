# Writes one C++ header of Unicode data for the naming rules, from the files of Debian's
# unicode-data package, so that the rules follow Unicode's own data rather than a list kept by
# hand. Run at build time:
#   cmake -DUNICODE_DIR=/usr/share/unicode -DTABLE=<table> -DOUTPUT=<header> -P UnicodeTables.cmake
# TABLE is one of
#   grapheme-break       each character's grapheme cluster break property, Extended_Pictographic
#                        being one more value (it never overlaps the others): sorted ranges
#   upper-case           the simple upper-case mappings of the basic plane, as Windows applies
#                        them when it compares names: sorted pairs
#   grapheme-break-test  Unicode's own segmentation cases, "|" for a break and "+" for none
# Included from a CMakeLists.txt, it defines tessaly_unicode_header(<target> <table> <header>):
# the build step that writes the header, and a custom target of that name that runs it.

if(NOT CMAKE_SCRIPT_MODE_FILE)
    set(TESSALY_UNICODE_DIR /usr/share/unicode CACHE PATH
        "Folder of the Unicode data files (Debian's unicode-data package)")
    if(NOT EXISTS ${TESSALY_UNICODE_DIR}/auxiliary/GraphemeBreakProperty.txt)
        message(FATAL_ERROR "No Unicode data files in ${TESSALY_UNICODE_DIR}: install Debian's "
                            "unicode-data package (scripts/setup does)")
    endif()
    function(tessaly_unicode_header target table header)
        if(table STREQUAL "grapheme-break")
            set(files auxiliary/GraphemeBreakProperty.txt emoji/emoji-data.txt)
        elseif(table STREQUAL "upper-case")
            set(files UnicodeData.txt auxiliary/GraphemeBreakProperty.txt)
        else()
            set(files auxiliary/GraphemeBreakTest.txt)
        endif()
        list(TRANSFORM files PREPEND ${TESSALY_UNICODE_DIR}/)
        add_custom_command(
            OUTPUT ${header}
            COMMAND ${CMAKE_COMMAND} -DUNICODE_DIR=${TESSALY_UNICODE_DIR} -DTABLE=${table}
                    -DOUTPUT=${header} -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
            DEPENDS ${CMAKE_CURRENT_FUNCTION_LIST_FILE} ${files}
            COMMENT "Writing ${table} table from the Unicode data files"
            VERBATIM)
        add_custom_target(${target} DEPENDS ${header})
    endfunction()
    return()
endif()

# The version line that each data file starts with, for the header's comment.
function(unicode_file_version file out)
    file(STRINGS "${file}" first LIMIT_COUNT 1)
    string(REGEX REPLACE "^# *" "" first "${first}")
    set(${out} "${first}" PARENT_SCOPE)
endfunction()

# A data file's text without comments, with ";" turned into "," so that CMake's lists keep
# each entry whole.
function(unicode_file_entries file out)
    file(READ "${file}" text)
    string(REPLACE ";" "," text "${text}")
    string(REGEX REPLACE "#[^\n]*" "" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Hexadecimal text padded to six digits, so that plain string sorting is numeric sorting.
function(unicode_padded hex out)
    string(LENGTH "${hex}" length)
    math(EXPR missing "6 - ${length}")
    string(REPEAT "0" ${missing} zeros)
    set(${out} "${zeros}${hex}" PARENT_SCOPE)
endfunction()

function(write_grapheme_break)
    set(gbp "${UNICODE_DIR}/auxiliary/GraphemeBreakProperty.txt")
    set(emoji "${UNICODE_DIR}/emoji/emoji-data.txt")
    unicode_file_entries("${gbp}" text)
    string(REGEX MATCHALL "[0-9A-F]+(\\.\\.[0-9A-F]+)? *, *[A-Za-z_]+" lines "${text}")
    unicode_file_entries("${emoji}" text)
    string(REGEX MATCHALL "[0-9A-F]+(\\.\\.[0-9A-F]+)? *, *Extended_Pictographic" pictographic
           "${text}")
    list(APPEND lines ${pictographic})

    set(ranges "")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "^([0-9A-F]+)(\\.\\.([0-9A-F]+))? *, *([A-Za-z_]+)" _ "${line}")
        set(first "${CMAKE_MATCH_1}")
        set(last "${CMAKE_MATCH_3}")
        if(last STREQUAL "")
            set(last "${first}")
        endif()
        # The data files' value names, spelt as the C++ enumerators.
        string(REPLACE "_" "" property "${CMAKE_MATCH_4}")
        unicode_padded("${first}" first)
        unicode_padded("${last}" last)
        list(APPEND ranges "${first}:${last}:${property}")
    endforeach()
    list(SORT ranges)

    # Neighbouring ranges of one value become one.
    set(merged "")
    set(openFirst "")
    foreach(range IN LISTS ranges)
        string(REPLACE ":" ";" parts "${range}")
        list(GET parts 0 first)
        list(GET parts 1 last)
        list(GET parts 2 property)
        math(EXPR firstValue "0x${first}")
        if(NOT openFirst STREQUAL "" AND property STREQUAL openProperty)
            math(EXPR next "0x${openLast} + 1")
            if(next EQUAL firstValue)
                set(openLast "${last}")
                continue()
            endif()
        endif()
        if(NOT openFirst STREQUAL "")
            string(APPEND merged "    {0x${openFirst}, 0x${openLast}, GraphemeBreak::${openProperty}},\n")
        endif()
        set(openFirst "${first}")
        set(openLast "${last}")
        set(openProperty "${property}")
    endforeach()
    string(APPEND merged "    {0x${openFirst}, 0x${openLast}, GraphemeBreak::${openProperty}},\n")

    unicode_file_version("${gbp}" gbpVersion)
    unicode_file_version("${emoji}" emojiVersion)
    file(WRITE "${OUTPUT}" "\
// Generated by cmake/UnicodeTables.cmake from ${gbpVersion} and
// ${emojiVersion} (Extended_Pictographic): do not edit.
// Every range of characters whose grapheme cluster break property is not Other, sorted; the
// including file declares GraphemeBreak and GraphemeBreakRange.
constexpr GraphemeBreakRange kGraphemeBreakRanges[] = {
${merged}};
")
endfunction()

function(write_upper_case)
    set(data "${UNICODE_DIR}/UnicodeData.txt")
    unicode_file_entries("${data}" text)
    string(PREPEND text "\n")
    # Code point, eleven fields, then the simple upper-case mapping.
    string(REPEAT "[^,\n]*," 11 fields)
    string(REGEX MATCHALL "\n[0-9A-F]+,${fields}[0-9A-F]+," lines "${text}")
    set(pairs "")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "^\n([0-9A-F]+),.*,([0-9A-F]+),$" _ "${line}")
        set(from "${CMAKE_MATCH_1}")
        set(to "${CMAKE_MATCH_2}")
        math(EXPR fromValue "0x${from}")
        math(EXPR toValue "0x${to}")
        # Windows upper-cases UTF-16 units one by one, so a character outside the basic plane
        # keeps its case; and it never makes a name outside ASCII equal to an ASCII one (the
        # dotless i and the long s keep theirs).
        if(fromValue GREATER 0xFFFF OR toValue GREATER 0xFFFF)
            continue()
        endif()
        if(fromValue GREATER_EQUAL 0x80 AND toValue LESS 0x80)
            continue()
        endif()
        string(APPEND pairs "    {0x${from}, 0x${to}},\n")
    endforeach()

    # UnicodeData.txt has no version line of its own.
    unicode_file_version("${UNICODE_DIR}/auxiliary/GraphemeBreakProperty.txt" version)
    string(REGEX REPLACE "^GraphemeBreakProperty-(.*)\\.txt$" "\\1" version "${version}")
    file(WRITE "${OUTPUT}" "\
// Generated by cmake/UnicodeTables.cmake from UnicodeData.txt of Unicode ${version}: do not edit.
// Every UTF-16 unit that Windows upper-cases when it compares names, with its upper case,
// sorted; the including file declares UpperCasePair.
constexpr UpperCasePair kUpperCasePairs[] = {
${pairs}};
")
endfunction()

function(write_grapheme_break_test)
    set(data "${UNICODE_DIR}/auxiliary/GraphemeBreakTest.txt")
    unicode_file_entries("${data}" text)
    string(REPLACE "÷" "|" text "${text}")
    string(REPLACE "×" "+" text "${text}")
    string(REGEX MATCHALL "\\|[0-9A-F |+]+\\|" lines "${text}")
    set(rows "")
    foreach(line IN LISTS lines)
        string(APPEND rows "    \"${line}\",\n")
    endforeach()
    unicode_file_version("${data}" version)
    file(WRITE "${OUTPUT}" "\
// Generated by cmake/UnicodeTables.cmake from ${version}: do not edit.
// Code points in hexadecimal, with \"|\" where a character ends and \"+\" where it goes on.
const char* const kGraphemeBreakCases[] = {
${rows}};
")
endfunction()

foreach(variable UNICODE_DIR TABLE OUTPUT)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "UnicodeTables.cmake needs -D${variable}=...")
    endif()
endforeach()
if(TABLE STREQUAL "grapheme-break")
    write_grapheme_break()
elseif(TABLE STREQUAL "upper-case")
    write_upper_case()
elseif(TABLE STREQUAL "grapheme-break-test")
    write_grapheme_break_test()
else()
    message(FATAL_ERROR "UnicodeTables.cmake: unknown table ${TABLE}")
endif()
