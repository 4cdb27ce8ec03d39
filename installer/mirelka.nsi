; The Mirelka installer (Korean). Built by installer/build, which passes:
;   VERSION   the release, e.g. 1.0
;   VERSION4  the same as four numbers for the version resource, e.g. 1.0.0.0
;   FILES     a folder holding exactly the files to ship (SHIPPED_FILES below)
;   OUTFILE   the installer to write
;   AMD64     (optional) build for 64-bit Windows only: an x86_64 installer
;             that installs x86_64 programs into the 64-bit Program Files and
;             registers only TriselShell64.dll. It exists so the installer
;             can be tested where only 64-bit code runs; the release ships
;             the 32-bit installer.
;
; Command line: /S silent, /D=folder (last, unquoted) to choose the folder.
; The uninstaller: /S silent, /REMOVESETTINGS also deletes the current
; user's settings (kept otherwise), "_?=folder" (last, unquoted) runs it in
; place so that its caller waits for it and gets its exit code.
; Exit codes: 0 done, 1 cancelled by the user, 2 failed (Mirelka could not
; be closed, a file could not be written), 3 done except that the Explorer
; menu could not be registered or unregistered.

Unicode true
!ifdef AMD64
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma
ManifestSupportedOS all
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include x64.nsh

!define PRODUCT "Mirelka"
!define PUBLISHER "Pelmora"
!define HOME_PAGE "http://www.pelmora.co.kr/"
!define SETTINGS_KEY "Software\Pelmora\Mirelka"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mirelka"
!define UNINSTALLER "uninstall.exe"
!define SHELLEXT_CLSID "{7C3E9A14-52D8-4F06-B1A7-9E20C4D8F365}"
!define APPROVED_KEY "Software\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved"
; Mirelka's main window class and its "프로그램 종료" command: the way to
; end it that saves its settings, as its own menu does.
!define MIRELKA_CLASS "Mirelka"
!define MIRELKA_EXIT_COMMAND 40034
!define MOVEFILE_DELAY_UNTIL_REBOOT 4
!define SYNCHRONIZE 0x00100000

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PUBLISHER} ${PRODUCT} ${VERSION}"
!ifdef AMD64
  InstallDir "$PROGRAMFILES64\${PUBLISHER}\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PUBLISHER}\${PRODUCT}"
!endif
; An upgrade goes where the earlier version is.
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1042 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1042 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1042 "FileDescription" "${PRODUCT} ${VERSION} 설치 프로그램"
VIAddVersionKey /LANG=1042 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1042 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1042 "LegalCopyright" "${PUBLISHER}"

; What the installer puts into the folder. Every program finds its
; companions beside itself: Trisel beside TriselShell, update beside
; Mirelka, the help file and the shipped banner pictures beside both.
!macro SHIPPED_FILES DO
  !insertmacro ${DO} "Mirelka.exe"
  !insertmacro ${DO} "Trisel.exe"
  !insertmacro ${DO} "update.exe"
  !insertmacro ${DO} "TriselShell.dll"
  !insertmacro ${DO} "TriselShell64.dll"
  !insertmacro ${DO} "Mirelka.chm"
  !insertmacro ${DO} "banner_ori.gif"
  !insertmacro ${DO} "banner_ori_en.gif"
  !insertmacro ${DO} "banner_ori_de.gif"
!macroend

; What the programs write beside themselves while they run: the run logs
; (named after each program) and the banner pictures fetched from the
; vendor's server. They go with the programs.
!macro RUNTIME_FILES DO
  !insertmacro ${DO} "Mirelka.exe.log"
  !insertmacro ${DO} "Mirelka.exe_err.log"
  !insertmacro ${DO} "Mirelka.exe_dbg.log"
  !insertmacro ${DO} "Trisel.exe.log"
  !insertmacro ${DO} "Trisel.exe_err.log"
  !insertmacro ${DO} "Trisel.exe_dbg.log"
  !insertmacro ${DO} "update.exe.log"
  !insertmacro ${DO} "update.exe_err.log"
  !insertmacro ${DO} "update.exe_dbg.log"
  !insertmacro ${DO} "banner.gif"
  !insertmacro ${DO} "banner_en.gif"
  !insertmacro ${DO} "banner_de.gif"
!macroend

Var Problems  ; 1 when the Explorer menu could not be (un)registered
Var Closing   ; what CloseMirelka met: "" none or ended, "declined", "stuck"

; --- pages
!define MUI_ICON "${ROOTDIR}\mirelka\win32\res\mirelka.ico"
!define MUI_UNICON "${ROOTDIR}\mirelka\win32\res\mirelka.ico"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING

!define MUI_WELCOMEPAGE_TITLE "${PRODUCT} ${VERSION} 설치"
!define MUI_WELCOMEPAGE_TEXT "이 프로그램은 ${PRODUCT} ${VERSION}을(를) 컴퓨터에 설치합니다.$\r$\n$\r$\n\
  ● Mirelka: 선택한 글을 그 자리에서 암호화하고 해독합니다.$\r$\n\
  ● Trisel: 탐색기 메뉴에서 파일과 폴더를 암호화하고 해독합니다.$\r$\n\
  ● 자동 업데이트와 도움말$\r$\n$\r$\n\
  실행 중인 Mirelka는 설치 전에 종료됩니다. 사용자 설정은 그대로 유지됩니다.$\r$\n$\r$\n\
  계속하려면 [다음]을 누르십시오."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "${PRODUCT} ${VERSION} 설치 완료"
; Four lines at most: the check boxes follow.
!define MUI_FINISHPAGE_TEXT "${PRODUCT} ${VERSION}을(를) 설치했습니다.$\r$\n$\r$\n\
  글을 선택하고 Alt + Scroll Lock을 누르면 Mirelka 창이 열립니다.$\r$\n\
  파일은 탐색기 메뉴 [암호 - Trisel], [해독 - Trisel]로 암호화합니다."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "지금 Mirelka 실행"
!define MUI_FINISHPAGE_RUN_FUNCTION StartMirelka
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Mirelka.chm"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "도움말 보기"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "제거할 항목을 고르십시오. 사용자 설정은 고르지 않으면 남겨 둡니다."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Korean"

; --- helpers shared by the installer and the uninstaller

; Ends a running Mirelka the way its own menu does, so it saves its settings
; and lets go of its program file. Asks first unless silent. $Closing says
; "declined" when the user said no, "stuck" when Mirelka did not end
; within 10 seconds.
!macro DEFINE_CLOSE_MIRELKA UN
Function ${UN}CloseMirelka
  Push $0
  Push $1
  Push $2
  StrCpy $Closing ""
  FindWindow $0 "${MIRELKA_CLASS}"
  ${If} $0 <> 0
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION \
      "Mirelka가 실행 중입니다.$\n$\n[확인]을 누르면 Mirelka를 종료하고 계속합니다." \
      /SD IDOK IDOK close
    StrCpy $Closing "declined"
    Goto done
  close:
    System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1)"
    System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2"
    SendMessage $0 ${WM_COMMAND} ${MIRELKA_EXIT_COMMAND} 0 /TIMEOUT=5000
    ${If} $2 P<> 0
      System::Call "kernel32::WaitForSingleObject(p r2, i 10000)"
      System::Call "kernel32::CloseHandle(p r2)"
    ${EndIf}
    IsWindow $0 0 +3
      StrCpy $Closing "stuck"
      Goto done
    ; Single-instance as it is, look again in case another one started.
    FindWindow $0 "${MIRELKA_CLASS}"
    IntCmp $0 0 done close close
  ${EndIf}
done:
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_MIRELKA ""
!insertmacro DEFINE_CLOSE_MIRELKA "un."

; Removes a file of ours (the path on the stack). A file in use (the shell
; extension held by Explorer, a running Trisel) cannot be deleted but can be
; renamed: it becomes "<name>.old-<n>" beside itself and Windows deletes it
; at the next restart, without the installer asking for one. Sets the error
; flag when the file stays where it was.
!macro DEFINE_REMOVE_FILE UN
Function ${UN}RemoveFile
  Exch $0
  Push $1
  ClearErrors
  ${If} ${FileExists} "$0"
    Delete "$0"
    ${If} ${Errors}
      ClearErrors
      StrCpy $1 1
      ${DoWhile} ${FileExists} "$0.old-$1"
        IntOp $1 $1 + 1
      ${Loop}
      Rename "$0" "$0.old-$1"
      ${IfNot} ${Errors}
        System::Call "kernel32::MoveFileExW(w '$0.old-$1', p 0, i ${MOVEFILE_DELAY_UNTIL_REBOOT})"
        DetailPrint "사용 중인 파일은 다시 시작할 때 삭제됩니다: $0.old-$1"
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_REMOVE_FILE ""
!insertmacro DEFINE_REMOVE_FILE "un."

; Copies of a file of ours (the name on the stack) moved aside by an earlier
; run: deleted now if their holder has let go, else (again) at the next
; restart; they are not moved a second time.
!macro DEFINE_REMOVE_OLD_COPIES UN
Function ${UN}RemoveOldCopies
  Exch $2
  Push $0
  Push $1
  FindFirst $0 $1 "$INSTDIR\$2.old-*"
  ${DoWhile} $1 != ""
    ClearErrors
    Delete "$INSTDIR\$1"
    ${If} ${Errors}
      System::Call "kernel32::MoveFileExW(w '$INSTDIR\$1', p 0, i ${MOVEFILE_DELAY_UNTIL_REBOOT})"
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
  ClearErrors
  Pop $1
  Pop $0
  Pop $2
FunctionEnd
!macroend
!insertmacro DEFINE_REMOVE_OLD_COPIES ""
!insertmacro DEFINE_REMOVE_OLD_COPIES "un."
!macro OLD_COPIES NAME
  Push "${NAME}"
  Call RemoveOldCopies
!macroend
!macro UN_OLD_COPIES NAME
  Push "${NAME}"
  Call un.RemoveOldCopies
!macroend

; Removes the installation folder when it is empty; when files in use are
; still waiting for the next restart, the folder goes after them.
Function un.RemoveFolder
  RMDir "$INSTDIR"
  ${If} ${FileExists} "$INSTDIR\*.*"
    System::Call "kernel32::MoveFileExW(w '$INSTDIR', p 0, i ${MOVEFILE_DELAY_UNTIL_REBOOT})"
  ${EndIf}
FunctionEnd

; regsvr32 of either bitness: 64-bit Explorer loads only the 64-bit DLL,
; 32-bit programs (their file dialogs) only the 32-bit one.
!ifdef AMD64
  !define REGSVR32_NATIVE "$SYSDIR\regsvr32.exe"
!else
  ; A 32-bit process reaches the 64-bit system folder only by this alias.
  !define REGSVR32_NATIVE "$WINDIR\SysNative\regsvr32.exe"
  !define REGSVR32_32 "$SYSDIR\regsvr32.exe"
!endif

; Runs regsvr32 silently with ARGS; $Problems is set when it fails.
!macro REGSVR32 EXE ARGS WHAT
  ClearErrors
  ExecWait '"${EXE}" /s ${ARGS}' $0
  ${If} ${Errors}
  ${OrIf} $0 <> 0
    StrCpy $Problems 1
    DetailPrint "${WHAT}: regsvr32 실패 ($0)"
  ${Else}
    DetailPrint "${WHAT}"
  ${EndIf}
!macroend

; --- the installer

Function .onInit
  SetShellVarContext all
!ifdef AMD64
  SetRegView 64
!endif
  StrCpy $Problems 0
FunctionEnd

!macro PLACE_FILE NAME
  Push "$INSTDIR\${NAME}"
  Call RemoveFile
  ${If} ${Errors}
    StrCpy $0 "${NAME}"
    Goto cannot_place
  ${EndIf}
  ClearErrors
  File "${FILES}\${NAME}"
  ${If} ${Errors}
    StrCpy $0 "${NAME}"
    Goto cannot_place
  ${EndIf}
!macroend

Section "Mirelka" SecProgram
  SectionIn RO
  Call CloseMirelka
  ${If} $Closing == "declined"
    DetailPrint "Mirelka가 실행 중이어서 설치를 중지했습니다."
    SetErrorLevel 1
    Abort
  ${ElseIf} $Closing == "stuck"
    MessageBox MB_OK|MB_ICONEXCLAMATION "Mirelka를 종료하지 못해 설치를 중지했습니다." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}

  SetOutPath "$INSTDIR"
  !insertmacro SHIPPED_FILES OLD_COPIES
  !insertmacro OLD_COPIES "${UNINSTALLER}"
  ; "try": a file that cannot be written is reported here, not by a box
  ; that a silent install would answer on its own.
  SetOverwrite try
  !insertmacro SHIPPED_FILES PLACE_FILE
  Push "$INSTDIR\${UNINSTALLER}"
  Call RemoveFile
  ClearErrors
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ${If} ${Errors}
    StrCpy $0 "${UNINSTALLER}"
    Goto cannot_place
  ${EndIf}
  SetOverwrite on

  ; The Explorer menu, in both registry views where both Explorers exist.
!ifdef AMD64
  !insertmacro REGSVR32 "${REGSVR32_NATIVE}" '"$INSTDIR\TriselShell64.dll"' "탐색기 메뉴 등록 (64비트)"
!else
  ${If} ${RunningX64}
    !insertmacro REGSVR32 "${REGSVR32_NATIVE}" '"$INSTDIR\TriselShell64.dll"' "탐색기 메뉴 등록 (64비트)"
  ${EndIf}
  !insertmacro REGSVR32 "${REGSVR32_32}" '"$INSTDIR\TriselShell.dll"' "탐색기 메뉴 등록 (32비트)"
!endif

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Mirelka.lnk" "$INSTDIR\Mirelka.exe" "" "$INSTDIR\Mirelka.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Mirelka 도움말.lnk" "$INSTDIR\Mirelka.chm"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Mirelka.exe,0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  ; With "_?=" the uninstaller runs in place and its caller gets its exit
  ; code (the usual start hands over to a copy and returns at once).
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
  WriteRegStr HKLM "${UNINST_KEY}" "URLInfoAbout" "${HOME_PAGE}"
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0

  ${If} $Problems <> 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "탐색기 메뉴(Trisel)를 등록하지 못했습니다.$\n\
      나머지는 설치됐습니다. 설치를 다시 실행해 보십시오." /SD IDOK
    SetErrorLevel 3
  ${EndIf}
  Return

cannot_place:
  DetailPrint "파일을 설치하지 못했습니다: $INSTDIR\$0"
  MessageBox MB_OK|MB_ICONSTOP "파일을 설치하지 못했습니다.$\n$\n$INSTDIR\$0$\n$\n\
    Trisel이나 탐색기를 닫고 설치를 다시 실행하십시오." /SD IDOK
  SetErrorLevel 2
  Abort
SectionEnd

; Started through Explorer, so Mirelka runs with the user's own rights, not
; the installer's (it writes its settings and Run value for that user).
Function StartMirelka
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\Mirelka.exe"'
FunctionEnd

; --- the uninstaller


!macro UN_REMOVE_FILE NAME
  Push "$INSTDIR\${NAME}"
  Call un.RemoveFile
!macroend

; Deletes what is left of the extension's rows in one registry view when
; regsvr32 could not (a DLL that is gone or does not load): the class only
; when it is ours, the handler keys that name our class.
!macro UN_REMOVE_SHELL_ROWS DLL
  ReadRegStr $0 HKCR "CLSID\${SHELLEXT_CLSID}\InProcServer32" ""
  ${If} $0 == "$INSTDIR\${DLL}"
    DeleteRegKey HKCR "CLSID\${SHELLEXT_CLSID}"
  ${EndIf}
  ReadRegStr $0 HKCR "*\shellex\ContextMenuHandlers\TriselShell" ""
  ${If} $0 == "${SHELLEXT_CLSID}"
    DeleteRegKey HKCR "*\shellex\ContextMenuHandlers\TriselShell"
  ${EndIf}
  ReadRegStr $0 HKCR "Directory\shellex\ContextMenuHandlers\TriselShell" ""
  ${If} $0 == "${SHELLEXT_CLSID}"
    DeleteRegKey HKCR "Directory\shellex\ContextMenuHandlers\TriselShell"
  ${EndIf}
  DeleteRegValue HKLM "${APPROVED_KEY}" "${SHELLEXT_CLSID}"
!macroend

Section "un.Mirelka" SecUnProgram
  SectionIn RO
  Call un.CloseMirelka
  ${If} $Closing == "declined"
    DetailPrint "Mirelka가 실행 중이어서 제거를 중지했습니다."
    SetErrorLevel 1
    Abort
  ${ElseIf} $Closing == "stuck"
    MessageBox MB_OK|MB_ICONEXCLAMATION "Mirelka를 종료하지 못해 제거를 중지했습니다." /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}

  ; Both DLLs share the menu's handler keys: they go together.
!ifdef AMD64
  !insertmacro REGSVR32 "${REGSVR32_NATIVE}" '/u "$INSTDIR\TriselShell64.dll"' "탐색기 메뉴 등록 해제 (64비트)"
  !insertmacro UN_REMOVE_SHELL_ROWS "TriselShell64.dll"
!else
  ${If} ${RunningX64}
    !insertmacro REGSVR32 "${REGSVR32_NATIVE}" '/u "$INSTDIR\TriselShell64.dll"' "탐색기 메뉴 등록 해제 (64비트)"
    SetRegView 64
    !insertmacro UN_REMOVE_SHELL_ROWS "TriselShell64.dll"
    SetRegView 32
  ${EndIf}
  !insertmacro REGSVR32 "${REGSVR32_32}" '/u "$INSTDIR\TriselShell.dll"' "탐색기 메뉴 등록 해제 (32비트)"
  !insertmacro UN_REMOVE_SHELL_ROWS "TriselShell.dll"
!endif

  !insertmacro SHIPPED_FILES UN_REMOVE_FILE
  !insertmacro RUNTIME_FILES UN_REMOVE_FILE
  !insertmacro SHIPPED_FILES UN_OLD_COPIES
  !insertmacro UN_OLD_COPIES "${UNINSTALLER}"
  ; The updater's work folder, if an update was cut short.
  RMDir /r "$INSTDIR\update"

  Delete "$SMPROGRAMS\${PRODUCT}\Mirelka.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Mirelka 도움말.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  ; Mirelka's start-with-Windows value points at the program just removed:
  ; it goes whatever the settings choice (only this user's can be reached).
  ReadRegStr $0 HKCU "${RUN_KEY}" "Mirelka"
  ${If} $0 == "$INSTDIR\Mirelka.exe"
  ${OrIf} $0 == '"$INSTDIR\Mirelka.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "Mirelka"
  ${EndIf}

  DeleteRegKey HKLM "${UNINST_KEY}"
  ; Run in place ("/S _?=<folder>", so that its caller waits for its exit
  ; code) the uninstaller cannot delete its own file while it runs. A copy
  ; of it in the temporary folder waits for it to end and then removes the
  ; file and the folder (the copy goes at the next restart, as the copy the
  ; usual start makes does).
  ${If} $EXEDIR == $INSTDIR
    GetTempFileName $1
    System::Call "kernel32::CopyFileW(w '$EXEPATH', w '$1', i 0) i .r2"
    System::Call "kernel32::GetCurrentProcessId() i .r3"
    ${If} $2 <> 0
      Exec '"$1" /S /SWEEP=$3 _?=$INSTDIR'
    ${EndIf}
  ${Else}
    Push "$INSTDIR\${UNINSTALLER}"
    Call un.RemoveFile
    Call un.RemoveFolder
  ${EndIf}

  ${If} $Problems <> 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "탐색기 메뉴(Trisel) 등록을 해제하지 못했습니다." /SD IDOK
    SetErrorLevel 3
  ${EndIf}
SectionEnd

Section /o "un.사용자 설정도 삭제" SecRemoveSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

Function un.onInit
  ; The copy that finishes an in-place run (see the end of the section):
  ; once that has ended, its file and the folder go.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/SWEEP=" $1
  ${IfNot} ${Errors}
    System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i $1) p .r2"
    ${If} $2 P<> 0
      System::Call "kernel32::WaitForSingleObject(p r2, i 60000)"
      System::Call "kernel32::CloseHandle(p r2)"
    ${EndIf}
    Delete "$INSTDIR\${UNINSTALLER}"
    Call un.RemoveFolder
    System::Call "kernel32::MoveFileExW(w '$EXEPATH', p 0, i ${MOVEFILE_DELAY_UNTIL_REBOOT})"
    Quit
  ${EndIf}
  SetShellVarContext all
!ifdef AMD64
  SetRegView 64
!endif
  StrCpy $Problems 0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecRemoveSettings} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecUnProgram} "프로그램 파일, 시작 메뉴 바로 가기, 탐색기 메뉴"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecRemoveSettings} "Mirelka와 Trisel의 설정(공통 키 파일 경로, 창 위치 등), HKEY_CURRENT_USER\${SETTINGS_KEY}"
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
