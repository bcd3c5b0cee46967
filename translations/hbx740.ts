<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>DeviceMessages</name>
    <message>
        <location filename="../src/device/DeviceMessages.cpp" line="+116"/>
        <source>FW: V%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DifferenceMarks</name>
    <message>
        <location filename="../src/ui/DifferenceMarks.cpp" line="+62"/>
        <location line="+30"/>
        <source>Differs from the keyboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>1 control</source>
        <extracomment>Exactly one; any other count takes &quot;%n controls&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n controls</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1 setting</source>
        <extracomment>Exactly one; any other count takes &quot;%n settings&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n settings</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 and %2 differ from the keyboard: SYNC TO FW sends them.</source>
        <extracomment>%1 counts the controls (&quot;2 controls&quot;), %2 the settings (&quot;1 setting&quot;).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 differs from the keyboard: SYNC TO FW sends it.</source>
        <extracomment>%1 is &quot;1 control&quot; or &quot;1 setting&quot;.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 differ from the keyboard: SYNC TO FW sends them.</source>
        <extracomment>%1 counts the controls or the settings (&quot;3 controls&quot;).</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditorError</name>
    <message>
        <location filename="../src/model/FileError.cpp" line="+37"/>
        <source>I/O error %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/model/FileError.h" line="+10"/>
        <source>File not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid filename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Too many open files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File access denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Read beyond end of file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Disk full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/model/SettingsFile.cpp" line="+43"/>
        <source>Unable to write to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/model/ValueText.cpp" line="+26"/>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/model/ProfileFile.cpp" line="+48"/>
        <source>Not a profile: %1 bytes, where a profile has %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/device/SysExFile.cpp" line="+23"/>
        <source>Not a parameter set: the file is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not a parameter set: %1 bytes, where a parameter set has %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Not a parameter set: %1 bytes starting %2, which are no whole SysEx message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not a parameter set: %1 bytes starting %2, which are %3 SysEx messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not a parameter set: a SysEx message of %1 bytes starting %2 (a parameter set has %3 bytes starting %4)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyboardControl</name>
    <message>
        <location filename="../src/keyboard/Hbx740.h" line="+14"/>
        <source>Encoder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Knob 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Knob 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Knob 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volume Slider</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Record</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeyboardSearch</name>
    <message>
        <location filename="../src/device/KeyboardSearch.cpp" line="+28"/>
        <source>%1 %2 &quot;%3&quot;</source>
        <extracomment>&quot;output&quot; or &quot;input&quot;, the port&apos;s number and its name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+72"/>
        <source>MIDI service: none (no ALSA sequencer, no JACK server)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: ALSA sequencer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: JACK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: Windows multimedia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Chosen ports: not listed, so the keyboard is searched for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>USB: not looked at (the ports were named)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>USB: %1 found (%2, %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>USB: the %1 (%2) is not on USB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Ports: on USB, but no MIDI port is named &quot;%1&quot; or begins with &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>as named</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>by the name &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>by the prefix &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ports: %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Identity: firmware %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Identity: the ports are there, but the keyboard does not answer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortsDialog</name>
    <message>
        <location filename="../src/ui/PortsDialog.cpp" line="+12"/>
        <source>Automatic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>MIDI Ports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;Input (from the keyboard):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Output (to the keyboard):</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProfileCommands</name>
    <message>
        <location filename="../src/ui/ProfileCommands.cpp" line="+9"/>
        <source>     Do you want to reset Editor software data?    </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>       Save the data successfully.     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Open file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>cus files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Save file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+0"/>
        <source>All files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+23"/>
        <source>SysEx files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtUserPrompts</name>
    <message>
        <location filename="../src/ui/QtUserPrompts.cpp" line="+59"/>
        <location line="+5"/>
        <source>Hint</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SyncCommands</name>
    <message>
        <location filename="../src/ui/SyncCommands.cpp" line="+7"/>
        <source>       The Device is disconnected, please check!     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>    Do you want to synchronize device  data to Editor software?    </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>   Do you want to synchronize data to the device firmware?   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Do you want to reset the factory parameters?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>      Editor data successfully synchronized to the device.     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>      Device data successfully synchronized to the Editor software.     </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <location filename="../src/ui/Unit1.ui" line="+14"/>
        <source>HBX740 MIDI Editor V0.1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+25"/>
        <source>HBX740 MIDI Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <location filename="../src/ui/Unit1.cpp" line="+425"/>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+39"/>
        <source>PROFILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+89"/>
        <source>NEW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>OPEN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SAVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SYNC TO PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SYNC TO FW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>RESET</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>EXPORT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>GLOBAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>ARP MODE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>ARP TIME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SCALE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>ARP OCTAVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>VELOCITY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>REVERB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>TRANSPOSE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>KEY CHANNEL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+304"/>
        <source>PARAMETER</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>TYPE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>BUTTON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>CHANNEL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <location line="+283"/>
        <source>ENABLE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-264"/>
        <source>VALUE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+32"/>
        <source>STATUS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>DATA1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>DATA2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Input Device:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Output Device:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+134"/>
        <source>NOTE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PITCH BEND</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>AFTER TOUCH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>CC(Relative)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>CC(Absolute)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Toggle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Momentary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+14"/>
        <location line="+75"/>
        <location line="+143"/>
        <location line="+167"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-532"/>
        <source>UP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>DOWN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>RANDOM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>CHRN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+29"/>
        <source>1t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/2t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/4t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/8t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/16</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/16t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/32</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>1/32t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <location line="+103"/>
        <source>NORM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-98"/>
        <source>MAJOR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>MINOR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PENTA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>BLUES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>HINDU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>GYPSY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>JAPAN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <location line="+167"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-340"/>
        <location line="+167"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-345"/>
        <location line="+167"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-345"/>
        <location line="+167"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-321"/>
        <source>HEAVY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>SOFT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>ON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>-12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>-1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-178"/>
        <location line="+84"/>
        <location line="+99"/>
        <source>12</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-94"/>
        <location line="+99"/>
        <source>13</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-94"/>
        <location line="+99"/>
        <source>14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-94"/>
        <location line="+99"/>
        <source>15</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+24"/>
        <source>DEC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+5"/>
        <source>HEX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+82"/>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/ui/Unit1.cpp" line="-312"/>
        <source>Unexpected error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+44"/>
        <source>MIDI Ports...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+268"/>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+46"/>
        <source>The keyboard did not answer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Vocabulary</name>
    <message>
        <location filename="../src/model/Vocabulary.cpp" line="+17"/>
        <location line="+7"/>
        <source>NOTE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-6"/>
        <location line="+6"/>
        <source>PC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-5"/>
        <location line="+6"/>
        <source>PITCH BEND</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-5"/>
        <location line="+6"/>
        <source>AFTER TOUCH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="-5"/>
        <source>CC(Relative)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CC(Absolute)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+4"/>
        <source>CC</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowAccess</name>
    <message>
        <location filename="../src/ui/WindowAccess.cpp" line="+61"/>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+19"/>
        <source>NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DEC or HEX</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The monitor line&apos;s numbers in decimal or hexadecimal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1, selected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
