; The Pathbook installer: a per-user install that needs no administrator, a
; Start-menu shortcut and an uninstaller. The uninstaller removes the program
; files it installed and nothing else: notes, the sample notebook and the
; settings in the user's application-data folder stay.
;
; makensis -DVERSION=x.y.z -DSTAGE=<folder with the release files> -DOUTFILE=<setup.exe> pathbook.nsi

; A 64-bit installer for the 64-bit program.
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define PRODUCT "Pathbook"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pathbook"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} installer"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"

!define MUI_FINISHPAGE_RUN "$INSTDIR\Pathbook.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

; The installer speaks the user's language (English or Japanese) by itself.
Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Pathbook"
  SetOutPath "$INSTDIR"
  File "${STAGE}\Pathbook.exe"
  File "${STAGE}\pathbook-tool.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  ; The sample notebook is the user's to change: an update never overwrites it.
  SetOverwrite off
  File /r "${STAGE}\samples"
  SetOverwrite on

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Pathbook.exe"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pathbook.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\Pathbook.exe"
  Delete "$INSTDIR\pathbook-tool.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Only an empty folder goes: the sample notebook and anything the user put here stay.
  RMDir "$INSTDIR"
SectionEnd
