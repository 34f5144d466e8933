# Run by cpack before it packs. cpack dates every entry of a package, and the package's own parts,
# SOURCE_DATE_EPOCH, and leaves the time out of their gzip headers: unless the builder set it, it
# is the date of the commit built, or for a source without its git history (a tarball) the date
# of the CHANGELOG's latest entry, as Debian dates a package.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    return()
endif()
set(source ${CMAKE_CURRENT_LIST_DIR})
# The commit's date counts only when the source is a checkout's top, not a folder in another one.
execute_process(COMMAND git rev-parse --show-prefix WORKING_DIRECTORY ${source}
                RESULT_VARIABLE failed OUTPUT_VARIABLE prefix ERROR_QUIET
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT failed AND prefix STREQUAL "")
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${source}
                    OUTPUT_VARIABLE date ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
elseif(EXISTS ${source}/.git)
    # A checkout that git will not read (no git, or another user's folder) would be dated
    # otherwise than the same commit elsewhere.
    message(FATAL_ERROR "The packages cannot be dated: git cannot read the checkout ${source}")
endif()
if(NOT date MATCHES "^[0-9]+$")
    file(STRINGS ${source}/CHANGELOG trailer REGEX "^ -- " LIMIT_COUNT 1)
    string(REGEX REPLACE "^ -- .*>  " "" trailer "${trailer}")
    execute_process(COMMAND date -u -d "${trailer}" +%s
                    OUTPUT_VARIABLE date ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
if(NOT date MATCHES "^[0-9]+$")
    message(FATAL_ERROR "The packages cannot be dated: neither git nor CHANGELOG gives a date")
endif()
message(STATUS "Packages dated ${date} (SOURCE_DATE_EPOCH)")
set(ENV{SOURCE_DATE_EPOCH} ${date})
