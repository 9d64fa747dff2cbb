# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The one time every file of the package has, in seconds since 1970-01-01 00:00 UTC:
# SOURCE_DATE_EPOCH where it is set, else the last commit's time in the git checkout that is
# source_dir, else (a release tarball, which has no history) midnight UTC of the release day,
# given as YYYY-MM-DD. Called as the build is configured, which checks both, and again by cpack
# as it writes the package, so that a commit made since then gives the package its time.
function(quorvel_file_time source_dir release_day result)
    _quorvel_release_day_time("${release_day}" day_time)
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        _quorvel_package_time("$ENV{SOURCE_DATE_EPOCH}" seconds)
        set(${result} ${seconds} PARENT_SCOPE)
        return()
    endif()
    set(time "")
    if(EXISTS ${source_dir}/.git)
        # The history is the checkout's own, never that of a repository which GIT_DIR or one of
        # its kin in the environment names.
        execute_process(COMMAND git rev-parse --local-env-vars OUTPUT_VARIABLE variables ERROR_QUIET)
        string(REGEX MATCHALL "GIT_[A-Z_]+" variables "${variables}")
        set(kept "")
        foreach(variable IN LISTS variables)
            if(DEFINED ENV{${variable}})
                list(APPEND kept ${variable})
                set(kept_${variable} "$ENV{${variable}}")
                unset(ENV{${variable}})
            endif()
        endforeach()
        execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${source_dir}
                        OUTPUT_VARIABLE time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        foreach(variable IN LISTS kept)
            set(ENV{${variable}} "${kept_${variable}}")
        endforeach()
    endif()
    # A checkout where git is missing or cannot read the history has a time all the same.
    if(NOT time MATCHES "^[0-9]+$")
        set(time ${day_time})
    endif()
    set(${result} ${time} PARENT_SCOPE)
endfunction()

# A package's files can have no later time than the largest of eleven octal digits, the field of
# a tar header: 2242-03-16 12:56:31 UTC. It is passed on without leading zeros, which a reader
# could take for an octal number.
function(_quorvel_package_time time result)
    string(REGEX REPLACE "^0+([0-9])" "\\1" seconds "${time}")
    string(LENGTH "${seconds}" digits)
    if(NOT seconds MATCHES "^[0-9]+$" OR digits GREATER 10 OR seconds GREATER 8589934591)
        message(FATAL_ERROR "SOURCE_DATE_EPOCH is \"${time}\", which is no time a package can "
                            "have. It must be a whole number of seconds since 1970-01-01 00:00 "
                            "UTC, such as 1796515200, at most 8589934591, or not be set at all.")
    endif()
    set(${result} ${seconds} PARENT_SCOPE)
endfunction()

# Midnight UTC of a day of the Gregorian calendar written YYYY-MM-DD, from 1970-01-01 to the last
# day a package's files can have; anything else, 2026-02-30 say, is refused.
function(_quorvel_release_day_time day result)
    set(refusal "The release day \"${day}\" is no day from 1970-01-01 to 2242-03-16 written YYYY-MM-DD.")
    if(NOT day MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
        message(FATAL_ERROR "${refusal}")
    endif()
    math(EXPR year "${CMAKE_MATCH_1}")
    math(EXPR month "${CMAKE_MATCH_2}")
    math(EXPR day_of_month "${CMAKE_MATCH_3}")
    set(month_length 31)
    if(month EQUAL 4 OR month EQUAL 6 OR month EQUAL 9 OR month EQUAL 11)
        set(month_length 30)
    elseif(month EQUAL 2)
        math(EXPR by4 "${year} % 4")
        math(EXPR by100 "${year} % 100")
        math(EXPR by400 "${year} % 400")
        set(month_length 28)
        if((by4 EQUAL 0 AND NOT by100 EQUAL 0) OR by400 EQUAL 0)
            set(month_length 29)
        endif()
    endif()
    if(year LESS 1970 OR month LESS 1 OR month GREATER 12 OR day_of_month LESS 1
       OR day_of_month GREATER month_length)
        message(FATAL_ERROR "${refusal}")
    endif()
    # Days in eras of 400 years that begin on the 1st of March, so that a leap day is the last
    # day of its year.
    if(month LESS_EQUAL 2)
        math(EXPR year "${year} - 1")
    endif()
    math(EXPR era "${year} / 400")
    math(EXPR year_of_era "${year} - ${era} * 400")
    math(EXPR day_of_year "(153 * ((${month} + 9) % 12) + 2) / 5 + ${day_of_month} - 1")
    math(EXPR days "${era} * 146097 + ${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year} - 719468")
    math(EXPR time "${days} * 86400")
    if(time GREATER 8589934591)
        message(FATAL_ERROR "${refusal}")
    endif()
    set(${result} ${time} PARENT_SCOPE)
endfunction()
