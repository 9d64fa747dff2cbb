# SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Packs quorvel.exe for Windows users, run by the windows build's target "packages" (cmake -P):
#   quorvel-<version>-windows-x86_64.zip        the program in a folder quorvel-<version>/, with
#                                               LIESMICH.txt and the licence texts
#   quorvel-<version>-windows-x86_64-setup.exe  the installer of the same files
# The same sources give the same bytes: every file has the time of the checkout's last commit (or
# SOURCE_DATE_EPOCH, or the release day), as the Debian package's files have, taken as this runs.
# Given with -D: SOURCE_DIR, BINARY_DIR, VERSION, RELEASE_DATE, PROGRAM, ICON, QT_PREFIX,
# QT_VERSION.
include(${SOURCE_DIR}/cmake/FileTime.cmake)
quorvel_file_time(${SOURCE_DIR} ${RELEASE_DATE} time)

set(name quorvel-${VERSION}-windows-x86_64)
set(stage ${BINARY_DIR}/stage/quorvel-${VERSION})
file(REMOVE_RECURSE ${BINARY_DIR}/stage)
file(MAKE_DIRECTORY ${stage}/LICENSES/Qt ${stage}/LICENSES/gcc ${stage}/LICENSES/mingw-w64)

file(COPY ${PROGRAM} DESTINATION ${stage})

execute_process(COMMAND dpkg-query -W -f=\${source:Version} qt6-base-dev
                OUTPUT_VARIABLE QUORVEL_QT_SOURCE_VERSION COMMAND_ERROR_IS_FATAL ANY)
set(PROJECT_VERSION ${VERSION})
set(Qt6_VERSION ${QT_VERSION})
configure_file(${SOURCE_DIR}/resources/windows/LIESMICH.txt.in ${stage}/LIESMICH.txt @ONLY)

# Quorvel's licence; Qt's, with those of the libraries Qt brings; the compiler's runtime, linked
# into the program, as Debian describes it.
file(COPY ${SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt DESTINATION ${stage}/LICENSES)
file(COPY ${QT_PREFIX}/licenses/ DESTINATION ${stage}/LICENSES/Qt)
file(COPY /usr/share/doc/gcc-mingw-w64-base/copyright DESTINATION ${stage}/LICENSES/gcc)
file(COPY /usr/share/doc/mingw-w64-x86-64-dev/copyright DESTINATION ${stage}/LICENSES/mingw-w64)

# Each file and folder with the one time, folders readable, files not executable but the program.
execute_process(COMMAND find ${BINARY_DIR}/stage -type d -exec chmod 755 {} +
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND find ${BINARY_DIR}/stage -type f -exec chmod 644 {} +
                COMMAND_ERROR_IS_FATAL ANY)
file(CHMOD ${stage}/quorvel.exe PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE)
execute_process(COMMAND find ${BINARY_DIR}/stage -exec touch -h -d @${time} {} +
                COMMAND_ERROR_IS_FATAL ANY)

# The zip: its entries in one order, their times in UTC (a zip's times are local), no extra fields
# of the machine's (owner, Unix times).
set(zip ${BINARY_DIR}/${name}.zip)
file(REMOVE ${zip})
execute_process(COMMAND find quorvel-${VERSION} -print
                COMMAND env LC_ALL=C sort
                COMMAND env TZ=UTC zip -q -X -9 -@ ${zip}
                WORKING_DIRECTORY ${BINARY_DIR}/stage COMMAND_ERROR_IS_FATAL ANY)

# The installer.
set(setup ${BINARY_DIR}/${name}-setup.exe)
file(REMOVE ${setup})
execute_process(COMMAND env TZ=UTC makensis -V2 -INPUTCHARSET UTF8
                        -DVERSION=${VERSION} -DSTAGE=${stage} -DICON=${ICON} -DOUTFILE=${setup}
                        ${SOURCE_DIR}/resources/windows/quorvel.nsi
                COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND touch -d @${time} ${zip} ${setup})
message(STATUS "Windows packages: ${zip}, ${setup}")
