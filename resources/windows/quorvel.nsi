; SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
;
; SPDX-License-Identifier: GPL-3.0-or-later

; The installer of Quorvel for Windows, in German: it shows the licence, installs quorvel.exe with
; its licence texts into the programs folder for every user of the machine, adds a Start-menu entry
; and an uninstaller that Windows lists under "Apps". /S installs and uninstalls silently.
; makensis is given:
;   VERSION   the program's version, three numbers
;   STAGE     the folder that holds quorvel.exe, LIESMICH.txt and LICENSES, as the zip has them
;   ICON      the program's icon file
;   OUTFILE   the installer to write

; A 64-bit installer for a 64-bit program: its files go to the 64-bit programs folder and its entry
; under "Apps" to the 64-bit registry without further ado.
Target amd64-unicode
SetCompressor /SOLID lzma
; The installed files take the times they have in STAGE, which are the release's.
SetDateSave on

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel"

Name "Quorvel"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quorvel"
RequestExecutionLevel admin
BrandingText "Quorvel ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "Quorvel"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileDescription" "Quorvel ${VERSION} installieren"
VIAddVersionKey /LANG=1031 "CompanyName" "The Quorvel developers"
VIAddVersionKey /LANG=1031 "LegalCopyright" "The Quorvel developers. GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\quorvel.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSES\GPL-3.0-or-later.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

; For every user of the machine: the Start menu entry is theirs.
Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section "Quorvel"
    SetOutPath "$INSTDIR"
    File "${STAGE}\quorvel.exe"
    File "${STAGE}\LIESMICH.txt"
    File /r "${STAGE}\LICENSES"
    WriteUninstaller "$INSTDIR\Deinstallieren.exe"
    CreateShortcut "$SMPROGRAMS\Quorvel.lnk" "$INSTDIR\quorvel.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quorvel"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorvel.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Quorvel developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ; The size "Apps" shows, in KiB.
    SectionGetSize 0 $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\Quorvel.lnk"
    Delete "$INSTDIR\quorvel.exe"
    Delete "$INSTDIR\LIESMICH.txt"
    RMDir /r "$INSTDIR\LICENSES"
    Delete "$INSTDIR\Deinstallieren.exe"
    ; The folder goes only where nothing of the user's is left in it.
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
