; SPDX-License-Identifier: GPL-3.0-or-later
; The installer of the portable folder: per user, without administrator rights,
; into %LOCALAPPDATA%\Programs\sorario, with a Start-menu entry, an uninstaller
; and .qvn files opening in the program. makensis gets VERSION, PORTABLE (the
; folder gather.sh made), FILES and UNFILES (the lists make-windows.sh writes
; of that folder) and OUTFILE.
; The 64-bit stub: the program is 64-bit, and the installer runs where it does.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
Name "ソラリオ ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\sorario"
InstallDirRegKey HKCU "Software\sorario" "InstallDir"

!include "MUI2.nsh"
!define MUI_FINISHPAGE_RUN "$INSTDIR\sorario.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\sorario"
!define QVN_CLASS "Software\Classes\Sorario.QuestionFile"

Section
  SetShellVarContext current
  !include "${FILES}"
  ; The uninstaller beside the program tells it that it is installed: its settings
  ; go to %APPDATA%\sorario, not beside it.
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "Software\sorario" "InstallDir" "$INSTDIR"

  CreateShortcut "$SMPROGRAMS\ソラリオ.lnk" "$INSTDIR\sorario.exe" "" "$INSTDIR\sorario.exe" 0 SW_SHOWNORMAL "" "英文法テスト作成"

  WriteRegStr HKCU "Software\Classes\.qvn" "" "Sorario.QuestionFile"
  WriteRegStr HKCU "${QVN_CLASS}" "" "ソラリオ問題ファイル"
  WriteRegStr HKCU "${QVN_CLASS}\DefaultIcon" "" "$INSTDIR\sorario.exe,0"
  WriteRegStr HKCU "${QVN_CLASS}\shell\open\command" "" '"$INSTDIR\sorario.exe" "%1"'
  ; Explorer shows the new file type at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "ソラリオ"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Sorario"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sorario.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: question files, settings and history
; the teacher made stay.
Section "Uninstall"
  SetShellVarContext current
  !include "${UNFILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The folder above, made for it where nothing else had been installed; kept when not empty.
  RMDir "$LOCALAPPDATA\Programs"
  Delete "$SMPROGRAMS\ソラリオ.lnk"
  DeleteRegKey HKCU "${QVN_CLASS}"
  ReadRegStr $0 HKCU "Software\Classes\.qvn" ""
  StrCmp $0 "Sorario.QuestionFile" 0 +2
    DeleteRegKey HKCU "Software\Classes\.qvn"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\sorario"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
