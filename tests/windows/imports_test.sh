#!/bin/sh
# Checks that the program imports nothing but Windows' own system DLLs (static C++ runtime).
# Usage: imports_test.sh OBJDUMP PROGRAM
objdump=$1 program=$2
dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | tr -d '\r')
if [ -z "$dlls" ]; then
    echo "no imports read from $program"
    exit 1
fi
status=0
for dll in $dlls; do
    case $dll in
        kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|comdlg32.dll|shell32.dll|shlwapi.dll|winmm.dll|\
        advapi32.dll|ole32.dll|oleaut32.dll|msvcrt.dll|imm32.dll|uxtheme.dll|version.dll|api-ms-win-*.dll)
            echo "system: $dll" ;;
        *)
            echo "NOT a system DLL: $dll"
            status=1 ;;
    esac
done
exit $status
