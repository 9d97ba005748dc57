; The controller's Windows installer. makensis is given VERSION, BITS (32 or 64), DIST_DIR (the
; install folder of the build), FILE_LIST (one INSTALLED_FILE line per file of that folder) and
; OUT_FILE. It installs those files to Program Files and registers an uninstaller that removes
; exactly them. The 64-bit installer is itself a 64-bit program, the 32-bit one a 32-bit program.
!if ${BITS} == 64
Target amd64-unicode
!else
Unicode true
!endif
SetCompressor /SOLID lzma

!define PRODUCT "Quillmark Controller"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillmarkController"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
RequestExecutionLevel admin
!if ${BITS} == 64
InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
InstallDir "$PROGRAMFILES32\${PRODUCT}"
!endif
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!macro INSTALLED_FILE NAME
    File "/oname=${NAME}" "${DIST_DIR}/${NAME}"
!macroend

Section "Install"
    SetOutPath "$INSTDIR"
    CreateDirectory "$INSTDIR\Media"
    !include "${FILE_LIST}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\QMACTL.EXE"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The same file list, now deleting: the files the installer put there, the settings file the
; controller writes beside itself, and the folders only when nothing else is in them (a user's
; own media files stay).
!macroundef INSTALLED_FILE
!macro INSTALLED_FILE NAME
    Delete "$INSTDIR\${NAME}"
!macroend

Section "Uninstall"
    !include "${FILE_LIST}"
    Delete "$INSTDIR\QMACTL.INI"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR\Media"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
