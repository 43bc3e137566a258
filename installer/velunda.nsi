; Velunda installer and uninstaller, for the current user only (no
; administrator rights). Built by scripts/release.sh:
;   makensis -INPUTCHARSET UTF8 -DARCH=x64|x86 -DBINDIR=<folder holding
;            Velunda.exe and readme.txt> -DOUTFILE=<setup.exe>
;            -DVERSION=<1.0> -DVERSION4=<1.0.0.0> velunda.nsi
; The version is the CMake project's, passed on by release.sh.
;
; The settings (HKCU\Software\Zarnovell Software\Velunda) and the list files
; belong to the user: installing never touches them, and uninstalling removes
; the settings only when the user asks for it, and the lists never.

Unicode true
!ifndef ARCH | BINDIR | OUTFILE | VERSION | VERSION4
  !error "Define ARCH (x64 or x86), BINDIR, OUTFILE, VERSION and VERSION4"
!endif
!if "${ARCH}" == "x64"
  Target amd64-unicode
!else if "${ARCH}" == "x86"
  Target x86-unicode
!else
  !error "ARCH must be x64 or x86"
!endif

!define PRODUCT "Velunda"
!define PUBLISHER "Zarnovell Software"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velunda"
!define SETTINGS_PARENT "Software\Zarnovell Software"
!define SETTINGS_KEY "${SETTINGS_PARENT}\Velunda"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
BrandingText "${PUBLISHER}"
; An update goes where the previous installation is.
InstallDir "$LOCALAPPDATA\Programs\Velunda"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=1036 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de Velunda"
VIAddVersionKey /LANG=1036 "LegalCopyright" "Copyright © 2026 ${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"

; A running Velunda.exe can be neither replaced nor deleted: have it closed
; first, rather than leave the old program behind and report success. A
; silent run gives up (exit code 2) and changes nothing.
!macro WaitUntilVelundaClosed
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\Velunda.exe"
      ${Break}
    ${EndIf}
    ClearErrors
    FileOpen $0 "$INSTDIR\Velunda.exe" a
    ${IfNot} ${Errors}
      FileClose $0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Velunda est ouvert. Fermez-le, puis cliquez sur Réessayer." /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
!macroend

!define MUI_ABORTWARNING
; makensis works in this script's folder.
!define MUI_ICON "../src/res/velunda.ico"
!define MUI_UNICON "../src/res/velunda.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Velunda.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Lancer Velunda"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "French"

Section "Velunda"
  SetShellVarContext current
  !insertmacro WaitUntilVelundaClosed
  SetOutPath "$INSTDIR"
  File "${BINDIR}/Velunda.exe"
  File "${BINDIR}/readme.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Velunda.lnk" "$INSTDIR\Velunda.exe" "" "$INSTDIR\Velunda.exe" 0
  ; A new wallpaper at once; the user can give it a keyboard shortcut.
  CreateShortcut "$SMPROGRAMS\Velunda - fond suivant.lnk" "$INSTDIR\Velunda.exe" "/next" \
    "$INSTDIR\Velunda.exe" 0

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Velunda.exe,0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  !insertmacro WaitUntilVelundaClosed
  ; Only our own files: lists the user may have saved here stay, and so does
  ; the folder that holds them (RMDir without /r removes only an empty one).
  Delete "$INSTDIR\Velunda.exe"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Velunda.lnk"
  Delete "$SMPROGRAMS\Velunda - fond suivant.lnk"
  ; The logon shortcut that Velunda writes when it starts at logon.
  Delete "$SMSTARTUP\Velunda.lnk"
  DeleteRegKey HKCU "${UNINST_KEY}"

  ; A silent uninstall keeps the settings, so a later install finds them.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Supprimer aussi les réglages de Velunda ?$\n$\nVos listes de fonds d'écran sont conservées dans tous les cas." \
    /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT}"
  keep_settings:
SectionEnd
