; The start of the uninstaller, before the installed files go. The user's
; profiles and settings in %APPDATA%\HBX740 stay.
Delete "$INSTDIR\installed.txt"

; The association, unless another program has taken .cus since.
ReadRegStr $0 SHCTX "Software\Classes\.cus" ""
StrCmp $0 "HBX740.Profile" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.cus"
DeleteRegKey SHCTX "Software\Classes\HBX740.Profile"
System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
