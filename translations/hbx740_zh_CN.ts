<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>DeviceMessages</name>
    <message>
        <location filename="../src/device/DeviceMessages.cpp" line="+116"/>
        <source>FW: V%1</source>
        <translation>固件 V%1</translation>
    </message>
</context>
<context>
    <name>DifferenceMarks</name>
    <message>
        <location filename="../src/ui/DifferenceMarks.cpp" line="+62"/>
        <location line="+30"/>
        <source>Differs from the keyboard</source>
        <translation>与键盘不同</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>1 control</source>
        <extracomment>Exactly one; any other count takes &quot;%n controls&quot;.</extracomment>
        <translation>1 个控件</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n controls</source>
        <translation>
            <numerusform>%n 个控件</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1 setting</source>
        <extracomment>Exactly one; any other count takes &quot;%n settings&quot;.</extracomment>
        <translation>1 项设置</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n settings</source>
        <translation>
            <numerusform>%n 项设置</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 and %2 differ from the keyboard: SYNC TO FW sends them.</source>
        <extracomment>%1 counts the controls (&quot;2 controls&quot;), %2 the settings (&quot;1 setting&quot;).</extracomment>
        <translation>%1和%2与键盘不同：点击“同步到设备”即可发送。</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1 differs from the keyboard: SYNC TO FW sends it.</source>
        <extracomment>%1 is &quot;1 control&quot; or &quot;1 setting&quot;.</extracomment>
        <translation>%1与键盘不同：点击“同步到设备”即可发送。</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 differ from the keyboard: SYNC TO FW sends them.</source>
        <extracomment>%1 counts the controls or the settings (&quot;3 controls&quot;).</extracomment>
        <translation>%1与键盘不同：点击“同步到设备”即可发送。</translation>
    </message>
</context>
<context>
    <name>EditorError</name>
    <message>
        <location filename="../src/model/FileError.cpp" line="+37"/>
        <source>I/O error %1</source>
        <translation>I/O 错误 %1</translation>
    </message>
    <message>
        <location filename="../src/model/FileError.h" line="+10"/>
        <source>File not found</source>
        <translation>找不到文件</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Invalid filename</source>
        <translation>文件名无效</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Too many open files</source>
        <translation>打开的文件过多</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>File access denied</source>
        <translation>文件访问被拒绝</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Read beyond end of file</source>
        <translation>读取超出文件末尾</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Disk full</source>
        <translation>磁盘已满</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <location filename="../src/model/SettingsFile.cpp" line="+43"/>
        <source>Unable to write to %1</source>
        <translation>无法写入 %1</translation>
    </message>
    <message>
        <location filename="../src/model/ValueText.cpp" line="+26"/>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>“%1”不是有效的整数值</translation>
    </message>
    <message>
        <location filename="../src/model/ProfileFile.cpp" line="+48"/>
        <source>Not a profile: %1 bytes, where a profile has %2</source>
        <translation>不是配置文件：%1 字节，配置文件应为 %2 字节</translation>
    </message>
    <message>
        <location filename="../src/device/SysExFile.cpp" line="+23"/>
        <source>Not a parameter set: the file is empty</source>
        <translation>不是参数集：文件为空</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not a parameter set: %1 bytes, where a parameter set has %2</source>
        <translation>不是参数集：%1 字节，参数集应为 %2 字节</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Not a parameter set: %1 bytes starting %2, which are no whole SysEx message</source>
        <translation>不是参数集：%1 字节，以 %2 开头，不是完整的 SysEx 消息</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not a parameter set: %1 bytes starting %2, which are %3 SysEx messages</source>
        <translation>不是参数集：%1 字节，以 %2 开头，包含 %3 条 SysEx 消息</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Not a parameter set: a SysEx message of %1 bytes starting %2 (a parameter set has %3 bytes starting %4)</source>
        <translation>不是参数集：一条 %1 字节、以 %2 开头的 SysEx 消息（参数集应为 %3 字节，以 %4 开头）</translation>
    </message>
</context>
<context>
    <name>KeyboardControl</name>
    <message>
        <location filename="../src/keyboard/Hbx740.h" line="+14"/>
        <source>Encoder</source>
        <translation>编码器</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Knob 1</source>
        <translation>旋钮 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Knob 2</source>
        <translation>旋钮 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Knob 3</source>
        <translation>旋钮 3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Volume Slider</source>
        <translation>音量推子</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Record</source>
        <translation>录音</translation>
    </message>
</context>
<context>
    <name>KeyboardSearch</name>
    <message>
        <location filename="../src/device/KeyboardSearch.cpp" line="+28"/>
        <source>%1 %2 &quot;%3&quot;</source>
        <extracomment>&quot;output&quot; or &quot;input&quot;, the port&apos;s number and its name.</extracomment>
        <translation>%1 %2“%3”</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>MIDI service: none (no ALSA sequencer, no JACK server)</source>
        <translation>MIDI 服务：无（没有 ALSA 音序器，也没有 JACK 服务器）</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: ALSA sequencer</source>
        <translation>MIDI 服务：ALSA 音序器</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: JACK</source>
        <translation>MIDI 服务：JACK</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: Windows multimedia</source>
        <translation>MIDI 服务：Windows 多媒体</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>MIDI service: other</source>
        <translation>MIDI 服务：其他</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Chosen ports: not listed, so the keyboard is searched for</source>
        <translation>所选端口：不在列表中，改为自动查找键盘</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>USB: not looked at (the ports were named)</source>
        <translation>USB：未检查（已指定端口）</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>USB: %1 found (%2, %3)</source>
        <translation>USB：已找到 %1（%2，%3）</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>USB: the %1 (%2) is not on USB</source>
        <translation>USB：%1（%2）未通过 USB 连接</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Ports: on USB, but no MIDI port is named &quot;%1&quot; or begins with &quot;%2&quot;</source>
        <translation>端口：已通过 USB 连接，但没有名为“%1”或以“%2”开头的 MIDI 端口</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>as named</source>
        <translation>按指定</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>by the name &quot;%1&quot;</source>
        <translation>按名称“%1”</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>by the prefix &quot;%1&quot;</source>
        <translation>按前缀“%1”</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>output</source>
        <translation>输出</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>input</source>
        <translation>输入</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ports: %1 (%2)</source>
        <translation>端口：%1（%2）</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Identity: firmware %1</source>
        <translation>设备识别：固件 %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Identity: the ports are there, but the keyboard does not answer</source>
        <translation>设备识别：端口存在，但键盘没有应答</translation>
    </message>
</context>
<context>
    <name>PortsDialog</name>
    <message>
        <location filename="../src/ui/PortsDialog.cpp" line="+12"/>
        <source>Automatic</source>
        <translation>自动</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>MIDI Ports</source>
        <translation>MIDI 端口</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;Input (from the keyboard):</source>
        <translation>输入（来自键盘）(&amp;I)：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Output (to the keyboard):</source>
        <translation>输出（发往键盘）(&amp;O)：</translation>
    </message>
</context>
<context>
    <name>ProfileCommands</name>
    <message>
        <location filename="../src/ui/ProfileCommands.cpp" line="+9"/>
        <source>     Do you want to reset Editor software data?    </source>
        <translation>     是否重置编辑器中的数据？    </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>       Save the data successfully.     </source>
        <translation>       数据已成功保存。     </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 已存在。
是否替换？</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Open file</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>cus files</source>
        <translation>cus 文件</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>Save file</source>
        <translation>保存文件</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>All files</source>
        <translation>所有文件</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>SysEx files</source>
        <translation>SysEx 文件</translation>
    </message>
</context>
<context>
    <name>QtUserPrompts</name>
    <message>
        <location filename="../src/ui/QtUserPrompts.cpp" line="+59"/>
        <location line="+5"/>
        <source>Hint</source>
        <translation>提示</translation>
    </message>
</context>
<context>
    <name>SyncCommands</name>
    <message>
        <location filename="../src/ui/SyncCommands.cpp" line="+7"/>
        <source>       The Device is disconnected, please check!     </source>
        <translation>       设备未连接，请检查！     </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>    Do you want to synchronize device  data to Editor software?    </source>
        <translation>    是否将设备数据同步到编辑器软件？    </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>   Do you want to synchronize data to the device firmware?   </source>
        <translation>   是否将数据同步到设备固件？   </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Do you want to reset the factory parameters?</source>
        <translation>是否恢复出厂参数？</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>      Editor data successfully synchronized to the device.     </source>
        <translation>      编辑器数据已成功同步到设备。     </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>      Device data successfully synchronized to the Editor software.     </source>
        <translation>      设备数据已成功同步到编辑器软件。     </translation>
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
        <translation>未连接</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>PROFILE</source>
        <translation>配置文件</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>NEW</source>
        <translation>新建</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>OPEN</source>
        <translation>打开</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SAVE</source>
        <translation>保存</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SYNC TO PC</source>
        <translation>同步到电脑</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SYNC TO FW</source>
        <translation>同步到设备</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>RESET</source>
        <translation>重置</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>EXPORT</source>
        <translation>导出</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>GLOBAL</source>
        <translation>全局</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>ARP MODE</source>
        <translation>琶音模式</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>ARP TIME</source>
        <translation>琶音时值</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>SCALE</source>
        <translation>音阶</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>ARP OCTAVE</source>
        <translation>琶音八度</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>VELOCITY</source>
        <translation>力度</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>REVERB</source>
        <translation>混响</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>TRANSPOSE</source>
        <translation>移调</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>KEY CHANNEL</source>
        <translation>键盘通道</translation>
    </message>
    <message>
        <location line="+304"/>
        <source>PARAMETER</source>
        <translation>参数</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>TYPE</source>
        <translation>类型</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>BUTTON</source>
        <translation>按键模式</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>CHANNEL</source>
        <translation>通道</translation>
    </message>
    <message>
        <location line="+29"/>
        <location line="+283"/>
        <source>ENABLE</source>
        <translation>启用</translation>
    </message>
    <message>
        <location line="-264"/>
        <source>VALUE</source>
        <translation>数值</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>STATUS:</source>
        <translation>状态：</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>DATA1:</source>
        <translation>数据1：</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>DATA2:</source>
        <translation>数据2：</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Input Device:</source>
        <translation>输入设备：</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Output Device:</source>
        <translation>输出设备：</translation>
    </message>
    <message>
        <location line="+134"/>
        <source>NOTE</source>
        <translation>音符</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PC</source>
        <translation>程序变更</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PITCH BEND</source>
        <translation>弯音</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>AFTER TOUCH</source>
        <translation>触后</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>CC(Relative)</source>
        <translation>CC（相对）</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>CC(Absolute)</source>
        <translation>CC（绝对）</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Toggle</source>
        <translation>切换</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Momentary</source>
        <translation>瞬时</translation>
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
        <translation>上行</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>DOWN</source>
        <translation>下行</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>RANDOM</source>
        <translation>随机</translation>
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
        <translation>标准</translation>
    </message>
    <message>
        <location line="-98"/>
        <source>MAJOR</source>
        <translation>大调</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>MINOR</source>
        <translation>小调</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>PENTA</source>
        <translation>五声</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>BLUES</source>
        <translation>布鲁斯</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>HINDU</source>
        <translation>印度</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>GYPSY</source>
        <translation>吉普赛</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>JAPAN</source>
        <translation>日本</translation>
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
        <translation>重</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>SOFT</source>
        <translation>轻</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>OFF</source>
        <translation>关</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>ON</source>
        <translation>开</translation>
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
        <translation>DEC</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>HEX</source>
        <translation>HEX</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <location filename="../src/ui/Unit1.cpp" line="-312"/>
        <source>Unexpected error.</source>
        <translation>意外错误。</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>MIDI Ports...</source>
        <translation>MIDI 端口...</translation>
    </message>
    <message>
        <location line="+268"/>
        <source>Connect</source>
        <translation>已连接</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>The keyboard did not answer.</source>
        <translation>键盘没有应答。</translation>
    </message>
</context>
<context>
    <name>Vocabulary</name>
    <message>
        <location filename="../src/model/Vocabulary.cpp" line="+17"/>
        <location line="+7"/>
        <source>NOTE</source>
        <translation>音符</translation>
    </message>
    <message>
        <location line="-6"/>
        <location line="+6"/>
        <source>PC</source>
        <translation>程序变更</translation>
    </message>
    <message>
        <location line="-5"/>
        <location line="+6"/>
        <source>PITCH BEND</source>
        <translation>弯音</translation>
    </message>
    <message>
        <location line="-5"/>
        <location line="+6"/>
        <source>AFTER TOUCH</source>
        <translation>触后</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>CC(Relative)</source>
        <translation>CC（相对）</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CC(Absolute)</source>
        <translation>CC（绝对）</translation>
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
        <translation>名称</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>DEC or HEX</source>
        <translation>DEC 或 HEX</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The monitor line&apos;s numbers in decimal or hexadecimal</source>
        <translation>监视行中的数字以十进制或十六进制显示</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>%1, selected</source>
        <translation>%1，已选中</translation>
    </message>
</context>
</TS>
