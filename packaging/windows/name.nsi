; SPDX-License-Identifier: MIT
; The installer of the Windows edition, in Chinese: the files of the zip into Program Files, a
; Start-menu shortcut and an uninstaller listed in Add/Remove Programs that takes all of it away.
; Built by packaging/windows/CMakeLists.txt, which passes VERSION, VERSION_NUMBERS, TARGET
; (x86-unicode or amd64-unicode), STAGE (the folder of the zip), PACKAGE_FILES (the list of its
; files) and OUTFILE.
Target ${TARGET}
!include "MUI2.nsh"

; The x64 edition goes into the 64-bit Program Files and writes its entries in the 64-bit view of
; the registry, where a 64-bit Windows looks for them; the x86 one stays where it always was.
!if "${TARGET}" == "amd64-unicode"
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else
  !define PROGRAM_FILES "$PROGRAMFILES"
!endif

!define PRODUCT "澄禾起名宝"
!define PUBLISHER "tavren"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\tavren.name"
; The program writes these settings at every start; they belong to this program alone.
!define SETTINGS_APPLICATION "Software\VB and VBA Program Settings\tavren"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\tavren\name"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

VIProductVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} ${VERSION} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "MIT License"

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!insertmacro MUI_PAGE_WELCOME
!if /FileExists "${STAGE}/LICENSE.txt"
  !insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!endif
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\name.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; One list of files serves both directions.
!macro PACKAGE_FILE FILE
  !ifdef INSTALLING
    File "${STAGE}/${FILE}"
  !else
    Delete "$INSTDIR\${FILE}"
  !endif
!macroend

!macro INIT
  SetShellVarContext all
  !if "${TARGET}" == "amd64-unicode"
    SetRegView 64
  !endif
!macroend

Function .onInit
  !insertmacro INIT
FunctionEnd

Function un.onInit
  !insertmacro INIT
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  !define INSTALLING
  !include "${PACKAGE_FILES}"
  !undef INSTALLING
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\name.exe" "" "$INSTDIR\name.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\name.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  !include "${PACKAGE_FILES}"
  Delete "$INSTDIR\uninstall.exe"
  ; Only empty folders go: a folder the user chose may hold files of their own.
  RMDir "$INSTDIR"
  RMDir "${PROGRAM_FILES}\tavren"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${SETTINGS_APPLICATION}\Start"
  DeleteRegKey /ifempty HKCU "${SETTINGS_APPLICATION}"
SectionEnd
