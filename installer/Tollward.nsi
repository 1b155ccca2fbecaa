; The per-user installer of Tollward: the program and its help into the user's own programs
; folder, a Start-menu shortcut, an entry among the installed programs, and a clean way back out.
; Built by scripts/package, which defines VERSION, STAGE (the folder holding Tollward.exe and help),
; HELP_FILES (an include that lists the help files for the uninstaller) and OUTFILE.

Unicode true
; The program is 64-bit, and so is the installer: a 32-bit one would not even start where only
; 64-bit programs run.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
; No administrator rights: everything goes where the user, and only he, can write.
RequestExecutionLevel user

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "StrFunc.nsh"
${UnStrStr}

!define PRODUCT "Tollward"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tollward"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tollward"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" ""

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The stock text speaks of system files and reboots, which this installer never touches.
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${PRODUCT} ${VERSION} for you alone, into your own programs folder:$\r$\n$\r$\n$INSTDIR$\r$\n$\r$\nNo administrator rights are needed. Over an installed ${PRODUCT}, your registrations, bad area codes and options are kept; a running ${PRODUCT} is asked to end first.$\r$\n$\r$\nClick Install to start the installation."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tollward.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Tollward now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Tollward holds its program file and writes its data files at its end. It is ended
; as the system's Restart Manager ends a program whose files an installer replaces: asked whether
; it may end, then told to. Tollward answers that as the end of the session, saving everything
; without a question, also from the tray, where its close box would only hide it. One that says
; no, or does not go, is left alone, and nothing is changed.
!define ENDSESSION_CLOSEAPP 0x00000001
!macro EndRunningTollward UN
Function ${UN}EndRunningTollward
  StrCpy $1 0
  ${Do}
    System::Call 'kernel32::OpenSemaphoreW(i 0x1F0003, i 0, w "semTollward") p .r0'
    ${If} $0 P= 0
      Return
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    ${If} $1 = 0
      ; Every window of that name is asked (a message box of Tollward's may share it), and told
      ; only when none said no, as the system does.
      StrCpy $3 1
      StrCpy $2 0
      ${Do}
        FindWindow $2 "#32770" "Tollward" 0 $2
        ${IfThen} $2 = 0 ${|} ${ExitDo} ${|}
        SendMessage $2 ${WM_QUERYENDSESSION} 0 ${ENDSESSION_CLOSEAPP} $4 /TIMEOUT=5000
        ${IfThen} $4 = 0 ${|} StrCpy $3 0 ${|}
      ${Loop}
      ${Do}
        FindWindow $2 "#32770" "Tollward" 0 $2
        ${IfThen} $2 = 0 ${|} ${ExitDo} ${|}
        SendMessage $2 ${WM_ENDSESSION} $3 ${ENDSESSION_CLOSEAPP} /TIMEOUT=10000
      ${Loop}
    ${EndIf}
    IntOp $1 $1 + 1
    ${If} $1 > 60
      MessageBox MB_OK|MB_ICONSTOP "Tollward is still running. End it (in the tray: Shutdown Tollward), then start this again." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
    Sleep 500
  ${Loop}
FunctionEnd
!macroend
!insertmacro EndRunningTollward ""
!insertmacro EndRunningTollward "un."

Section "Tollward"
  SetShellVarContext current
  Call EndRunningTollward
  SetOutPath "$INSTDIR"
  ; Only the program and its help: the data files of an earlier version stay as they are.
  File "${STAGE}/Tollward.exe"
  SetOutPath "$INSTDIR\help"
  File /r "${STAGE}/help/*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tollward.lnk" "$INSTDIR\Tollward.exe" "" "$INSTDIR\Tollward.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tollward.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB, as the list of installed programs shows it.
  SectionGetSize 0 $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes the value only when it starts this installation's program: another copy of Tollward,
; elsewhere, keeps its own.
!macro RemoveRunValue ROOT
  ClearErrors
  ReadRegStr $0 ${ROOT} "${RUN_KEY}" "Tollward"
  ${IfNot} ${Errors}
    ${UnStrStr} $1 $0 "$INSTDIR\Tollward.exe"
    ${If} $1 != ""
      DeleteRegValue ${ROOT} "${RUN_KEY}" "Tollward"
    ${EndIf}
  ${EndIf}
!macroend

Section "Uninstall"
  SetShellVarContext current
  Call un.EndRunningTollward
  Delete "$INSTDIR\Tollward.exe"
  !include "${HELP_FILES}"
  RMDir "$INSTDIR\help"
  Delete "$SMPROGRAMS\Tollward.lnk"
  !insertmacro RemoveRunValue HKCU
  ; Written only by an administrator's Tollward; without the rights it stays.
  !insertmacro RemoveRunValue HKLM

  ; The registrations, the bad area codes and the options are the user's; a silent uninstall
  ; keeps them.
  MessageBox MB_YESNO|MB_ICONQUESTION "Keep your registered connections, bad area codes and options (Tollward.con, Tollward.bac, Tollward.ini) for a later installation?" /SD IDYES IDYES keep
    Delete "$INSTDIR\Tollward.con"
    Delete "$INSTDIR\Tollward.bac"
    Delete "$INSTDIR\Tollward.ini"
  keep:

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: what the user keeps, or put there himself, stays with its folder.
  RMDir "$INSTDIR"
SectionEnd
