# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The one time every file of the package has, in seconds since 1970-01-01 00:00 UTC:
# SOURCE_DATE_EPOCH where it is set, else the last commit's time in a git checkout, else (a release
# tarball, which has no history) midnight UTC of the release day, given as YYYY-MM-DD.
function(quorvel_file_time release_day result)
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        set(time "$ENV{SOURCE_DATE_EPOCH}")
        # A package's files can have no later time than the largest of eleven octal digits, the
        # field of a tar header: 2242-03-16 12:56:31 UTC. It is passed on without leading zeros,
        # which a reader could take for an octal number.
        string(REGEX REPLACE "^0+([0-9])" "\\1" seconds "${time}")
        string(LENGTH "${seconds}" digits)
        if(NOT seconds MATCHES "^[0-9]+$" OR digits GREATER 10 OR seconds GREATER 8589934591)
            message(FATAL_ERROR "SOURCE_DATE_EPOCH is \"${time}\", which is no time a package can "
                                "have. It must be a whole number of seconds since 1970-01-01 00:00 "
                                "UTC, such as 1796515200, at most 8589934591, or not be set at all.")
        endif()
        set(${result} ${seconds} PARENT_SCOPE)
        return()
    endif()
    set(time "")
    if(EXISTS ${PROJECT_SOURCE_DIR}/.git)
        execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                        OUTPUT_VARIABLE time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    # A checkout where git is missing or cannot read the history has a time all the same.
    if(NOT time MATCHES "^[0-9]+$")
        if(NOT release_day MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
            message(FATAL_ERROR "The release day \"${release_day}\" is not written YYYY-MM-DD.")
        endif()
        # Days of the Gregorian calendar, in eras of 400 years that begin on the 1st of March, so
        # that a leap day is the last day of its year.
        math(EXPR month "${CMAKE_MATCH_2}")
        set(year ${CMAKE_MATCH_1})
        if(month LESS_EQUAL 2)
            math(EXPR year "${year} - 1")
        endif()
        math(EXPR era "${year} / 400")
        math(EXPR year_of_era "${year} - ${era} * 400")
        math(EXPR day_of_year "(153 * ((${month} + 9) % 12) + 2) / 5 + ${CMAKE_MATCH_3} - 1")
        math(EXPR days "${era} * 146097 + ${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year} - 719468")
        math(EXPR time "${days} * 86400")
    endif()
    set(${result} ${time} PARENT_SCOPE)
endfunction()
