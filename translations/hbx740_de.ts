<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>DeviceMessages</name>
    <message>
        <location filename="../src/device/DeviceMessages.cpp" line="+116"/>
        <source>FW: V%1</source>
        <translation>FW: V%1</translation>
    </message>
</context>
<context>
    <name>DifferenceMarks</name>
    <message>
        <location filename="../src/ui/DifferenceMarks.cpp" line="+62"/>
        <location line="+30"/>
        <source>Differs from the keyboard</source>
        <translation>Weicht vom Keyboard ab</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>1 control</source>
        <extracomment>Exactly one; any other count takes &quot;%n controls&quot;.</extracomment>
        <translation>1 Bedienelement</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n controls</source>
        <translation>
            <numerusform>%n Bedienelement</numerusform>
            <numerusform>%n Bedienelemente</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1 setting</source>
        <extracomment>Exactly one; any other count takes &quot;%n settings&quot;.</extracomment>
        <translation>1 Einstellung</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n settings</source>
        <translation>
            <numerusform>%n Einstellung</numerusform>
            <numerusform>%n Einstellungen</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 and %2 differ from the keyboard: SYNC TO FW sends them.</source>
        <extracomment>%1 counts the controls (&quot;2 controls&quot;), %2 the settings (&quot;1 setting&quot;).</extracomment>
        <translation>%1 und %2 weichen vom Keyboard ab: ZUM GERÄT überträgt sie.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 differs from the keyboard: SYNC TO FW sends it.</source>
        <extracomment>%1 is &quot;1 control&quot; or &quot;1 setting&quot;.</extracomment>
        <translation>%1 weicht vom Keyboard ab: ZUM GERÄT überträgt die Änderung.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 differ from the keyboard: SYNC TO FW sends them.</source>
        <extracomment>%1 counts the controls or the settings (&quot;3 controls&quot;).</extracomment>
        <translation>%1 weichen vom Keyboard ab: ZUM GERÄT überträgt sie.</translation>
    </message>
</context>
<context>
    <name>EditorError</name>
    <message>
        <location filename="../src/model/FileError.cpp" line="+37"/>
        <source>I/O error %1</source>
        <translation>E/A-Fehler %1</translation>
    </message>
    <message>
        <location filename="../src/model/FileError.h" line="+10"/>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid filename</source>
        <translation>Ungültiger Dateiname</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Too many open files</source>
        <translation>Zu viele offene Dateien</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File access denied</source>
        <translation>Zugriff auf die Datei verweigert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Read beyond end of file</source>
        <translation>Lesen über das Dateiende hinaus</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Disk full</source>
        <translation>Datenträger voll</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not a regular file</source>
        <translation>Keine reguläre Datei</translation>
    </message>
    <message>
        <location filename="../src/model/SettingsFile.cpp" line="+43"/>
        <source>Unable to write to %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <location filename="../src/model/ValueText.cpp" line="+26"/>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <location filename="../src/model/ProfileFile.cpp" line="+48"/>
        <source>Not a profile: %1 bytes, where a profile has %2</source>
        <translation>Kein Profil: %1 Bytes, ein Profil hat %2</translation>
    </message>
    <message>
        <location filename="../src/device/SysExFile.cpp" line="+23"/>
        <source>Not a parameter set: the file is empty</source>
        <translation>Kein Parametersatz: Die Datei ist leer</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not a parameter set: %1 bytes, where a parameter set has %2</source>
        <translation>Kein Parametersatz: %1 Bytes, ein Parametersatz hat %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Not a parameter set: %1 bytes starting %2, which are no whole SysEx message</source>
        <translation>Kein Parametersatz: %1 Bytes, beginnend mit %2, sind keine vollständige SysEx-Nachricht</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not a parameter set: %1 bytes starting %2, which are %3 SysEx messages</source>
        <translation>Kein Parametersatz: %1 Bytes, beginnend mit %2, sind %3 SysEx-Nachrichten</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not a parameter set: a SysEx message of %1 bytes starting %2 (a parameter set has %3 bytes starting %4)</source>
        <translation>Kein Parametersatz: eine SysEx-Nachricht mit %1 Bytes, beginnend mit %2 (ein Parametersatz hat %3 Bytes, beginnend mit %4)</translation>
    </message>
</context>
<context>
    <name>KeyboardControl</name>
    <message>
        <location filename="../src/keyboard/Hbx740.h" line="+14"/>
        <source>Encoder</source>
        <translation>Encoder</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Knob 1</source>
        <translation>Regler 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Knob 2</source>
        <translation>Regler 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Knob 3</source>
        <translation>Regler 3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volume Slider</source>
        <translation>Lautstärkefader</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Record</source>
        <translation>Aufnahme</translation>
    </message>
</context>
<context>
    <name>KeyboardSearch</name>
    <message>
        <location filename="../src/device/KeyboardSearch.cpp" line="+28"/>
        <source>%1 %2 &quot;%3&quot;</source>
        <extracomment>&quot;output&quot; or &quot;input&quot;, the port&apos;s number and its name.</extracomment>
        <translation>%1 %2 „%3“</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>MIDI service: none (no ALSA sequencer, no JACK server)</source>
        <translation>MIDI-Dienst: keiner (kein ALSA-Sequencer, kein JACK-Server)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: ALSA sequencer</source>
        <translation>MIDI-Dienst: ALSA-Sequencer</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: JACK</source>
        <translation>MIDI-Dienst: JACK</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: Windows multimedia</source>
        <translation>MIDI-Dienst: Windows-Multimedia</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: other</source>
        <translation>MIDI-Dienst: ein anderer</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Chosen ports: not listed, so the keyboard is searched for</source>
        <translation>Gewählte Ports: nicht vorhanden, daher wird das Keyboard gesucht</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>USB: not looked at (the ports were named)</source>
        <translation>USB: nicht geprüft (die Ports sind fest gewählt)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>USB: %1 found (%2, %3)</source>
        <translation>USB: %1 gefunden (%2, %3)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>USB: the %1 (%2) is not on USB</source>
        <translation>USB: Das %1 (%2) ist nicht über USB angeschlossen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Ports: on USB, but no MIDI port is named &quot;%1&quot; or begins with &quot;%2&quot;</source>
        <translation>Ports: über USB angeschlossen, aber kein MIDI-Port heißt „%1“ oder beginnt mit „%2“</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>as named</source>
        <translation>wie gewählt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>by the name &quot;%1&quot;</source>
        <translation>am Namen „%1“ erkannt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>by the prefix &quot;%1&quot;</source>
        <translation>am Namensanfang „%1“ erkannt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>output</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>input</source>
        <translation>Eingang</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ports: %1 (%2)</source>
        <translation>Ports: %1 (%2)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Identity: firmware %1</source>
        <translation>Kennung: Firmware %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Identity: the ports are there, but the keyboard does not answer</source>
        <translation>Kennung: Die Ports sind vorhanden, aber das Keyboard antwortet nicht</translation>
    </message>
</context>
<context>
    <name>PortsDialog</name>
    <message>
        <location filename="../src/ui/PortsDialog.cpp" line="+12"/>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>MIDI Ports</source>
        <translation>MIDI-Ports</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;Input (from the keyboard):</source>
        <translation>&amp;Eingang (vom Keyboard):</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Output (to the keyboard):</source>
        <translation>&amp;Ausgang (zum Keyboard):</translation>
    </message>
</context>
<context>
    <name>ProfileCommands</name>
    <message>
        <location filename="../src/ui/ProfileCommands.cpp" line="+9"/>
        <source>     Do you want to reset Editor software data?    </source>
        <translation>     Möchten Sie die Daten im Editor zurücksetzen?    </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>       Save the data successfully.     </source>
        <translation>       Die Daten wurden gespeichert.     </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Open file</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>cus files</source>
        <translation>cus-Dateien</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Save file</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>SysEx files</source>
        <translation>SysEx-Dateien</translation>
    </message>
</context>
<context>
    <name>QtUserPrompts</name>
    <message>
        <location filename="../src/ui/QtUserPrompts.cpp" line="+59"/>
        <location line="+5"/>
        <source>Hint</source>
        <translation>Hinweis</translation>
    </message>
</context>
<context>
    <name>SyncCommands</name>
    <message>
        <location filename="../src/ui/SyncCommands.cpp" line="+7"/>
        <source>       The Device is disconnected, please check!     </source>
        <translation>       Das Gerät ist nicht verbunden, bitte prüfen!     </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>    Do you want to synchronize device  data to Editor software?    </source>
        <translation>    Möchten Sie die Daten des Geräts in den Editor übernehmen?    </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>   Do you want to synchronize data to the device firmware?   </source>
        <translation>   Möchten Sie die Daten in die Firmware des Geräts übertragen?   </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Do you want to reset the factory parameters?</source>
        <translation>Möchten Sie die Werkseinstellungen wiederherstellen?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>      Editor data successfully synchronized to the device.     </source>
        <translation>      Die Daten des Editors wurden in das Gerät übertragen.     </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>      Device data successfully synchronized to the Editor software.     </source>
        <translation>      Die Daten des Geräts wurden in den Editor übernommen.     </translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <location filename="../src/ui/Unit1.ui" line="+14"/>
        <source>HBX740 MIDI Editor V0.1</source>
        <translation>HBX740 MIDI Editor V0.1</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>HBX740 MIDI Editor</source>
        <translation>HBX740 MIDI Editor</translation>
    </message>
    <message>
        <location line="+35"/>
        <location filename="../src/ui/Unit1.cpp" line="+425"/>
        <source>Disconnect</source>
        <translation>Getrennt</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>PROFILE</source>
        <translation>PROFIL</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>NEW</source>
        <translation>NEU</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>OPEN</source>
        <translation>ÖFFNEN</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SAVE</source>
        <translation>SPEICHERN</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SYNC TO PC</source>
        <translation>VOM GERÄT</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SYNC TO FW</source>
        <translation>ZUM GERÄT</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>RESET</source>
        <translation>RESET</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>EXPORT</source>
        <translation>EXPORT</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>GLOBAL</source>
        <translation>GLOBAL</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>ARP MODE</source>
        <translation>ARPEGGIO</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>ARP TIME</source>
        <translation>ARP-ZEIT</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SCALE</source>
        <translation>SKALA</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>ARP OCTAVE</source>
        <translation>ARP-OKTAVE</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>VELOCITY</source>
        <translation>DYNAMIK</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>REVERB</source>
        <translation>HALL</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>TRANSPOSE</source>
        <translation>TRANSPOSE</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>KEY CHANNEL</source>
        <translation>KBD-KANAL</translation>
    </message>
    <message>
        <location line="+304"/>
        <source>PARAMETER</source>
        <translation>PARAMETER</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>TYPE</source>
        <translation>TYP</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>BUTTON</source>
        <translation>TASTE</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>CHANNEL</source>
        <translation>KANAL</translation>
    </message>
    <message>
        <location line="+29"/>
        <location line="+283"/>
        <source>ENABLE</source>
        <translation>AKTIV</translation>
    </message>
    <message>
        <location line="-264"/>
        <source>VALUE</source>
        <translation>WERT</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>STATUS:</source>
        <translation>STATUS:</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>DATA1:</source>
        <translation>DATA1:</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>DATA2:</source>
        <translation>DATA2:</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Input Device:</source>
        <translation>Eingangsgerät:</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Output Device:</source>
        <translation>Ausgangsgerät:</translation>
    </message>
    <message>
        <location line="+134"/>
        <source>NOTE</source>
        <translation>NOTE</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PC</source>
        <translation>PC</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PITCH BEND</source>
        <translation>PITCH BEND</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>AFTER TOUCH</source>
        <translation>AFTER TOUCH</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>CC(Relative)</source>
        <translation>CC(Relativ)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>CC(Absolute)</source>
        <translation>CC(Absolut)</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Toggle</source>
        <translation>Rastend</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Momentary</source>
        <translation>Tastend</translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+75"/>
        <location line="+143"/>
        <location line="+167"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <location line="-532"/>
        <source>UP</source>
        <translation>AUF</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>DOWN</source>
        <translation>AB</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>RANDOM</source>
        <translation>ZUFALL</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>CHRN</source>
        <translation>CHRN</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>1t</source>
        <translation>1t</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/2</source>
        <translation>1/2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/2t</source>
        <translation>1/2t</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/4</source>
        <translation>1/4</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/4t</source>
        <translation>1/4t</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/8</source>
        <translation>1/8</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/8t</source>
        <translation>1/8t</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/16</source>
        <translation>1/16</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/16t</source>
        <translation>1/16t</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/32</source>
        <translation>1/32</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/32t</source>
        <translation>1/32t</translation>
    </message>
    <message>
        <location line="+24"/>
        <location line="+103"/>
        <source>NORM</source>
        <translation>NORM</translation>
    </message>
    <message>
        <location line="-98"/>
        <source>MAJOR</source>
        <translation>DUR</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>MINOR</source>
        <translation>MOLL</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PENTA</source>
        <translation>PENTA</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>BLUES</source>
        <translation>BLUES</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>HINDU</source>
        <translation>HINDU</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>GYPSY</source>
        <translation>GYPSY</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>JAPAN</source>
        <translation>JAPAN</translation>
    </message>
    <message>
        <location line="+24"/>
        <location line="+167"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <location line="-340"/>
        <location line="+167"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <location line="-345"/>
        <location line="+167"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <location line="-345"/>
        <location line="+167"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <location line="-321"/>
        <source>HEAVY</source>
        <translation>HART</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>SOFT</source>
        <translation>WEICH</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>OFF</source>
        <translation>AUS</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>ON</source>
        <translation>EIN</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>-12</source>
        <translation>-12</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-11</source>
        <translation>-11</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-10</source>
        <translation>-10</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-9</source>
        <translation>-9</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-8</source>
        <translation>-8</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-7</source>
        <translation>-7</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-6</source>
        <translation>-6</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-5</source>
        <translation>-5</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-4</source>
        <translation>-4</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-3</source>
        <translation>-3</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-2</source>
        <translation>-2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-1</source>
        <translation>-1</translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>11</source>
        <translation>11</translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>12</source>
        <translation>12</translation>
    </message>
    <message>
        <location line="-94"/>
        <location line="+99"/>
        <source>13</source>
        <translation>13</translation>
    </message>
    <message>
        <location line="-94"/>
        <location line="+99"/>
        <source>14</source>
        <translation>14</translation>
    </message>
    <message>
        <location line="-94"/>
        <location line="+99"/>
        <source>15</source>
        <translation>15</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>DEC</source>
        <translation>DEZ</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>HEX</source>
        <translation>HEX</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location filename="../src/ui/Unit1.cpp" line="-312"/>
        <source>Unexpected error.</source>
        <translation>Unerwarteter Fehler.</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>MIDI Ports...</source>
        <translation>MIDI-Ports...</translation>
    </message>
    <message>
        <location line="+268"/>
        <source>Connect</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>The keyboard did not answer.</source>
        <translation>Keine Antwort vom Keyboard.</translation>
    </message>
</context>
<context>
    <name>Vocabulary</name>
    <message>
        <location filename="../src/model/Vocabulary.cpp" line="+17"/>
        <location line="+7"/>
        <source>NOTE</source>
        <translation>NOTE</translation>
    </message>
    <message>
        <location line="-6"/>
        <location line="+6"/>
        <source>PC</source>
        <translation>PC</translation>
    </message>
    <message>
        <location line="-5"/>
        <location line="+6"/>
        <source>PITCH BEND</source>
        <translation>PITCH BEND</translation>
    </message>
    <message>
        <location line="-5"/>
        <location line="+6"/>
        <source>AFTER TOUCH</source>
        <translation>AFTER TOUCH</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>CC(Relative)</source>
        <translation>CC(Relativ)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CC(Absolute)</source>
        <translation>CC(Absolut)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>CC</source>
        <translation>CC</translation>
    </message>
</context>
<context>
    <name>WindowAccess</name>
    <message>
        <location filename="../src/ui/WindowAccess.cpp" line="+61"/>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DEC or HEX</source>
        <translation>DEZ oder HEX</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The monitor line&apos;s numbers in decimal or hexadecimal</source>
        <translation>Die Zahlen der Monitorzeile, dezimal oder hexadezimal</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1, selected</source>
        <translation>%1, ausgewählt</translation>
    </message>
</context>
</TS>
