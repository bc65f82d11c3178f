; The Calorix installer for Windows: installs for the current user only, so
; no administrator rights are asked for. Start-menu entry, uninstaller, and
; Calorix offered under "Open with" for .csv files without becoming their
; default program. Built by tools/windows/package with VERSION, SOURCE (the
; portable folder), ICON, UNINSTALL_LIST (the installed files) and OUTFILE
; defined.
; A 64-bit installer, like the program (and Wine without its 32-bit part runs it).
Target amd64-unicode
!include "MUI2.nsh"

Name "Calorix ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Calorix"
InstallDirRegKey HKCU "Software\Helvo\Calorix" "InstallDir"
SetCompressor /SOLID lzma
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Calorix"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "Portuguese"

Section "Calorix"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Calorix.lnk" "$INSTDIR\calorix.exe"
  WriteRegStr HKCU "Software\Helvo\Calorix" "InstallDir" "$INSTDIR"

  ; "Open with" for .csv: a program class of its own, listed among the
  ; file type's choices; the default program of .csv stays as it is.
  WriteRegStr HKCU "Software\Classes\Calorix.csv" "" "Calorix day file"
  WriteRegStr HKCU "Software\Classes\Calorix.csv\DefaultIcon" "" "$INSTDIR\calorix.exe,0"
  WriteRegStr HKCU "Software\Classes\Calorix.csv\shell\open\command" "" '"$INSTDIR\calorix.exe" "%1"'
  WriteRegStr HKCU "Software\Classes\.csv\OpenWithProgids" "Calorix.csv" ""
  WriteRegStr HKCU "Software\Classes\Applications\calorix.exe\shell\open\command" "" '"$INSTDIR\calorix.exe" "%1"'
  WriteRegStr HKCU "Software\Classes\Applications\calorix.exe\SupportedTypes" ".csv" ""
  WriteRegStr HKCU "Software\Classes\Applications\calorix.exe" "FriendlyAppName" "Calorix"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Calorix"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Helvo"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\calorix.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The settings file (%LOCALAPPDATA%\Helvo\Calorix.ini) is the user's and stays.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\Calorix.lnk"
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "Software\Classes\Calorix.csv"
  DeleteRegValue HKCU "Software\Classes\.csv\OpenWithProgids" "Calorix.csv"
  DeleteRegKey HKCU "Software\Classes\Applications\calorix.exe"
  DeleteRegKey HKCU "Software\Helvo\Calorix"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
