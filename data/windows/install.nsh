; The end of the installer's main section, after the files are in place.

; The editor keeps its files in %APPDATA%\HBX740 when this marker lies beside
; it, and beside itself (a portable copy) when not. Program Files is no
; place for them, and under Wine everyone may write there, so the folder's
; permissions cannot tell.
FileOpen $0 "$INSTDIR\installed.txt" w
FileWrite $0 "Installed by the HBX740 MIDI Editor's installer: the editor keeps its files in %APPDATA%\HBX740.$\r$\n"
FileClose $0

; Profiles open in the editor.
WriteRegStr SHCTX "Software\Classes\.cus" "" "HBX740.Profile"
WriteRegStr SHCTX "Software\Classes\HBX740.Profile" "" "HBX740 profile"
WriteRegStr SHCTX "Software\Classes\HBX740.Profile\DefaultIcon" "" "$INSTDIR\hbx740-editor.exe,0"
WriteRegStr SHCTX "Software\Classes\HBX740.Profile\shell\open\command" "" '"$INSTDIR\hbx740-editor.exe" "%1"'
; SHCNE_ASSOCCHANGED: Explorer shows the new icon without a restart.
System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
