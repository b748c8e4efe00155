# The package version comes from the source: the project's version for the commit tagged v<version> (or
# <version>), and for any other commit the project's version plus "+git<yyyymmdd>.<short hash>", dated by the commit
# in UTC, so that each newer snapshot upgrades the one before wherever it was committed. Without git, or outside a
# repository, the project's version. The date is also the date of the changelog entry and of the AppStream release.
#
# vz_package_version(<prefix> <project version> <source dir>) sets <prefix>_VERSION, <prefix>_CHANGELOG_DATE
# (RFC 2822) and <prefix>_RELEASE_DATE (yyyy-mm-dd).
# As a script it prints the version:
#   cmake -DVZ_BASE_VERSION=1.0.0 -DVZ_SOURCE_DIR=<dir> -P PackageVersion.cmake
function(vz_package_version prefix base source_dir)
    set(epoch "")
    set(snapshot FALSE)
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct.%h --abbrev=7
            WORKING_DIRECTORY ${source_dir} RESULT_VARIABLE failed OUTPUT_VARIABLE commit
            OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(NOT failed AND commit MATCHES "^([0-9]+)\\.([0-9a-f]+)$")
            set(epoch ${CMAKE_MATCH_1})
            set(hash ${CMAKE_MATCH_2})
            execute_process(COMMAND ${GIT_EXECUTABLE} tag --points-at HEAD
                WORKING_DIRECTORY ${source_dir} OUTPUT_VARIABLE tags ERROR_QUIET)
            string(REPLACE "\n" ";" tags "${tags}")
            list(FIND tags "v${base}" v_tag)
            list(FIND tags "${base}" bare_tag)
            if(v_tag EQUAL -1 AND bare_tag EQUAL -1)
                set(snapshot TRUE)
            endif()
        endif()
    endif()
    # string(TIMESTAMP) tells the time of SOURCE_DATE_EPOCH when that is set: here the commit's, or without git the
    # caller's, for a reproducible build.
    set(caller_epoch $ENV{SOURCE_DATE_EPOCH})
    if(epoch)
        set(ENV{SOURCE_DATE_EPOCH} ${epoch})
    endif()
    string(TIMESTAMP day "%Y%m%d" UTC)
    string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
    string(TIMESTAMP release_date "%Y-%m-%d" UTC)
    set(ENV{SOURCE_DATE_EPOCH} ${caller_epoch})
    if(snapshot)
        set(${prefix}_VERSION "${base}+git${day}.${hash}" PARENT_SCOPE)
    else()
        set(${prefix}_VERSION ${base} PARENT_SCOPE)
    endif()
    set(${prefix}_CHANGELOG_DATE ${changelog_date} PARENT_SCOPE)
    set(${prefix}_RELEASE_DATE ${release_date} PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    vz_package_version(VZ_PACKAGE ${VZ_BASE_VERSION} ${VZ_SOURCE_DIR})
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${VZ_PACKAGE_VERSION})
endif()
