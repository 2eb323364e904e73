<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>CConfig</name>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos;) - Attribute &apos;%4&apos; is missing!</source>
        <translation>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos;) - Attribute &apos;%4&apos; is missing!</translation>
    </message>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not in range [%6;%7]!</source>
        <translation>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not in range [%6;%7]!</translation>
    </message>
    <message>
        <source>Can&apos;t open file : %1</source>
        <translation>Can&apos;t open file : %1</translation>
    </message>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>line %1, column %2: %3</translation>
    </message>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not a valid unsigned int value in base %6!</source>
        <translation>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not a valid unsigned int value in base %6!</translation>
    </message>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not a valid float value!</source>
        <translation>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not a valid float value!</translation>
    </message>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; size is not in range [%6;%7]!</source>
        <translation>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; size is not in range [%6;%7]!</translation>
    </message>
    <message>
        <source>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not a valid int value!</source>
        <translation>Invalid configuration file &apos;%1&apos;! (Section=&apos;%2&apos; - Key=&apos;%3&apos; - Attr=&apos;%4&apos;) - &apos;%5&apos; is not a valid int value!</translation>
    </message>
</context>
<context>
    <name>CDmxConf</name>
    <message>
        <source>DMX channel is already used by command %1 - &apos;%2&apos;</source>
        <translation>DMX channel is already used by command %1 - &apos;%2&apos;</translation>
    </message>
    <message>
        <source>Failed to parse configuration file!</source>
        <translation>Failed to parse configuration file!</translation>
    </message>
</context>
<context>
    <name>CFixture</name>
    <message>
        <source>L%1.%2</source>
        <translation>L%1.%2</translation>
    </message>
    <message>
        <source>S%1.%2</source>
        <translation>S%1.%2</translation>
    </message>
    <message>
        <source>F%1.%2</source>
        <translation>F%1.%2</translation>
    </message>
    <message>
        <source>Fixture %1 does not fit in the scene with top-left item: x=%2, y=%3!</source>
        <translation>Fixture %1 does not fit in the scene with top-left item: x=%2, y=%3!</translation>
    </message>
    <message>
        <source>Fixture %1 rotated by %2 degrees does not fit in the scene!</source>
        <translation>Fixture %1 rotated by %2 degrees does not fit in the scene!</translation>
    </message>
</context>
<context>
    <name>CFixtureGroup</name>
    <message>
        <source>Group 0</source>
        <translation>Group 0</translation>
    </message>
    <message>
        <source>Group Name is too long!</source>
        <translation>Group Name is too long!</translation>
    </message>
    <message>
        <source>Group G%1 rotated by %2 degrees does not fit in the scene!</source>
        <translation>Group G%1 rotated by %2 degrees does not fit in the scene!</translation>
    </message>
</context>
<context>
    <name>CNetCom</name>
    <message>
        <source>Connection to %1 port %2 failed: %3</source>
        <translation>Connection to %1 port %2 failed: %3</translation>
    </message>
    <message>
        <source>Connection to %1 port %2 failed: the address cannot be resolved</source>
        <translation>Connection to %1 port %2 failed: the address cannot be resolved</translation>
    </message>
</context>
<context>
    <name>CProjectConf</name>
    <message>
        <source>Failed to parse configuration file!</source>
        <translation>Failed to parse configuration file!</translation>
    </message>
</context>
<context>
    <name>CSoftConf</name>
    <message>
        <source>Failed to load sensors type from configuration file!</source>
        <translation>Failed to load sensors type from configuration file!</translation>
    </message>
    <message>
        <source>Failed to load fixtures type in configuration file!</source>
        <translation>Failed to load fixtures type in configuration file!</translation>
    </message>
    <message>
        <source>Invalid Factory Password in configuration file - Take default!</source>
        <translation>Invalid Factory Password in configuration file - Take default!</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Fixture&apos;s Tiles may be badly configured!</source>
        <translation>Fixture&apos;s Tiles may be badly configured!</translation>
    </message>
    <message>
        <source>There is no tiles configured to display the top-left corner pixel(s) of VPU video output!</source>
        <translation>There is no tiles configured to display the top-left corner pixel(s) of VPU video output!</translation>
    </message>
</context>
<context>
    <name>CUsbHid</name>
    <message>
        <source>USB Device with VID= 0x%1 and PID= 0x%2 is not found</source>
        <translation>USB Device with VID= 0x%1 and PID= 0x%2 is not found</translation>
    </message>
</context>
<context>
    <name>CVpuCom</name>
    <message>
        <source>Failed to open connexion with VPU!</source>
        <translation>Failed to open connexion with VPU!</translation>
    </message>
    <message>
        <source>    Failed to program MCU Flash!</source>
        <translation>    Failed to program MCU Flash!</translation>
    </message>
    <message>
        <source>VPU sofware reset request failed!</source>
        <translation>VPU sofware reset request failed!</translation>
    </message>
    <message>
        <source>Failed to program VPU factory parameters!</source>
        <translation>Failed to program VPU factory parameters!</translation>
    </message>
    <message>
        <source>Applying video settings on VPU Failed!</source>
        <translation>Applying video settings on VPU Failed!</translation>
    </message>
    <message>
        <source>Applying input color correction on VPU Failed!</source>
        <translation>Applying input color correction on VPU Failed!</translation>
    </message>
    <message>
        <source>Applying Gamma on LPUs Failed!</source>
        <translation>Applying Gamma on LPUs Failed!</translation>
    </message>
    <message>
        <source>Applying white temperature correction on VPU Failed!</source>
        <translation>Applying white temperature correction on VPU Failed!</translation>
    </message>
    <message>
        <source>Failed to set Full screen test color!</source>
        <translation>Failed to set Full screen test color!</translation>
    </message>
    <message>
        <source>Failed to Freeze Current Video Output!</source>
        <translation>Failed to Freeze Current Video Output!</translation>
    </message>
    <message>
        <source>Failed to show fixtures number on!</source>
        <translation>Failed to show fixtures number on!</translation>
    </message>
    <message>
        <source>Failed to stop tests functions!</source>
        <translation>Failed to stop tests functions!</translation>
    </message>
    <message>
        <source>Failed to write video setting on VPU!</source>
        <translation>Failed to write video setting on VPU!</translation>
    </message>
    <message>
        <source>Failed to enumerate fixtures on VPU!</source>
        <translation>Failed to enumerate fixtures on VPU!</translation>
    </message>
    <message>
        <source>    Failed to write SASU configuration!</source>
        <translation>    Failed to write SASU configuration!</translation>
    </message>
    <message>
        <source>Fixture&apos;s origin configuration failed!</source>
        <translation>Fixture&apos;s origin configuration failed!</translation>
    </message>
    <message>
        <source>Failed to set intensity on fixture!</source>
        <translation>Failed to set intensity on fixture!</translation>
    </message>
    <message>
        <source>Fixture rotation configuration failed!</source>
        <translation>Fixture rotation configuration failed!</translation>
    </message>
    <message>
        <source>Failed to write configuration in fixture!</source>
        <translation>Failed to write configuration in fixture!</translation>
    </message>
    <message>
        <source>Failed to reset fixture(s) on VPU!</source>
        <translation>Failed to reset fixture(s) on VPU!</translation>
    </message>
    <message>
        <source>Failed to read VPU configuration!</source>
        <translation>Failed to read VPU configuration!</translation>
    </message>
    <message>
        <source>Getting video input format on VPU Failed!</source>
        <translation>Getting video input format on VPU Failed!</translation>
    </message>
    <message>
        <source>Failed to write DMX mapping on VPU!</source>
        <translation>Failed to write DMX mapping on VPU!</translation>
    </message>
    <message>
        <source>Failed to read DMX mapping from VPU!</source>
        <translation>Failed to read DMX mapping from VPU!</translation>
    </message>
    <message>
        <source>Failed to read video preset from VPU!</source>
        <translation>Failed to read video preset from VPU!</translation>
    </message>
    <message>
        <source>Failed to get fixture number from VPU!</source>
        <translation>Failed to get fixture number from VPU!</translation>
    </message>
    <message>
        <source>    Failed to get fixture F%1.%2 configuration!</source>
        <translation>    Failed to get fixture F%1.%2 configuration!</translation>
    </message>
    <message>
        <source>    Failed to read sensor values!</source>
        <translation>    Failed to read sensor values!</translation>
    </message>
    <message>
        <source>    Failed to read SASU configuration!</source>
        <translation>    Failed to read SASU configuration!</translation>
    </message>
</context>
<context>
    <name>DMXConfig</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Save To...</source>
        <translation>Save To...</translation>
    </message>
    <message>
        <source>DMX channel(s)</source>
        <translation>DMX channel(s)</translation>
    </message>
    <message>
        <source>DMX command</source>
        <translation>DMX command</translation>
    </message>
    <message>
        <source>DMX description</source>
        <translation>DMX description</translation>
    </message>
    <message>
        <source>Command Details:</source>
        <translation>Command Details:</translation>
    </message>
    <message>
        <source>Write to VPU</source>
        <translation>Write to VPU</translation>
    </message>
    <message>
        <source>Read from VPU</source>
        <translation>Read from VPU</translation>
    </message>
    <message>
        <source>Restore default</source>
        <translation>Restore default</translation>
    </message>
    <message>
        <source>Enable DMX link</source>
        <translation>Enable DMX link</translation>
    </message>
    <message>
        <source>0:       Disabled - Commands on DMX link are ignored by VPU</source>
        <translation>0:       Disabled - Commands on DMX link are ignored by VPU</translation>
    </message>
    <message>
        <source>[1-255]: Enabled - Commands on DMX link are processed by VPU</source>
        <translation>[1-255]: Enabled - Commands on DMX link are processed by VPU</translation>
    </message>
    <message>
        <source>Select VPU Operating Mode:</source>
        <translation>Select VPU Operating Mode:</translation>
    </message>
    <message>
        <source>000:     Ignored</source>
        <translation>000:     Ignored</translation>
    </message>
    <message>
        <source>001-010: Select Video Input DVI Channel 1</source>
        <translation>001-010: Select Video Input DVI Channel 1</translation>
    </message>
    <message>
        <source>011-020: Select Video Input DVI Channel 2</source>
        <translation>011-020: Select Video Input DVI Channel 2</translation>
    </message>
    <message>
        <source>021-030: Select Video Input HDMI Channel 1</source>
        <translation>021-030: Select Video Input HDMI Channel 1</translation>
    </message>
    <message>
        <source>031-040: Select Video Input HDMI Channel 2</source>
        <translation>031-040: Select Video Input HDMI Channel 2</translation>
    </message>
    <message>
        <source>041-050: Freeze Output</source>
        <translation>041-050: Freeze Output</translation>
    </message>
    <message>
        <source>051-060: Show Cabling Sequence on LPU</source>
        <translation>051-060: Show Cabling Sequence on LPU</translation>
    </message>
    <message>
        <source>061-070: Full screen red</source>
        <translation>061-070: Full screen red</translation>
    </message>
    <message>
        <source>071-080: Full screen green</source>
        <translation>071-080: Full screen green</translation>
    </message>
    <message>
        <source>081-090: Full screen blue</source>
        <translation>081-090: Full screen blue</translation>
    </message>
    <message>
        <source>091-100: Full screen white</source>
        <translation>091-100: Full screen white</translation>
    </message>
    <message>
        <source>101-110: Full screen black</source>
        <translation>101-110: Full screen black</translation>
    </message>
    <message>
        <source>111-120: Full screen custom color</source>
        <translation>111-120: Full screen custom color</translation>
    </message>
    <message>
        <source>121-255: Ignored</source>
        <translation>121-255: Ignored</translation>
    </message>
    <message>
        <source>Brightness applied on selected video input by VPU&apos;s HDMI receiver.</source>
        <translation>Brightness applied on selected video input by VPU&apos;s HDMI receiver.</translation>
    </message>
    <message>
        <source>DMX command [1 to 255] =&gt; Brightness [1% to 100%]</source>
        <translation>DMX command [1 to 255] =&gt; Brightness [1% to 100%]</translation>
    </message>
    <message>
        <source>Contrast applied on selected video input by VPU&apos;s HDMI receiver.</source>
        <translation>Contrast applied on selected video input by VPU&apos;s HDMI receiver.</translation>
    </message>
    <message>
        <source>DMX command [1 to 255] =&gt; Contrast [1% to 100%]</source>
        <translation>DMX command [1 to 255] =&gt; Contrast [1% to 100%]</translation>
    </message>
    <message>
        <source>Hue applied on selected video input by VPU&apos;s HDMI receiver.</source>
        <translation>Hue applied on selected video input by VPU&apos;s HDMI receiver.</translation>
    </message>
    <message>
        <source>DMX command [1 to 255] =&gt; Hue [-89° to 90°]</source>
        <translation>DMX command [1 to 255] =&gt; Hue [-89° to 90°]</translation>
    </message>
    <message>
        <source>Saturation applied on selected video input by VPU&apos;s HDMI receiver.</source>
        <translation>Saturation applied on selected video input by VPU&apos;s HDMI receiver.</translation>
    </message>
    <message>
        <source>DMX command [1 to 255] =&gt; Saturation [1 to 100%]</source>
        <translation>DMX command [1 to 255] =&gt; Saturation [1 to 100%]</translation>
    </message>
    <message>
        <source>Color Temperature to be applied on Output Screen by VPU (Range [2000K; 11000K], in 100 °K units)</source>
        <translation>Color Temperature to be applied on Output Screen by VPU (Range [2000K; 11000K], in 100 °K units)</translation>
    </message>
    <message>
        <source>Command 1 - Mode:</source>
        <translation>Command 1 - Mode:</translation>
    </message>
    <message>
        <source>   000-010: Color temperature correction disabled</source>
        <translation>   000-010: Color temperature correction disabled</translation>
    </message>
    <message>
        <source>   011-020: Custom Color temperature correction (Use 1 next Command)</source>
        <translation>   011-020: Custom Color temperature correction (Use 1 next Command)</translation>
    </message>
    <message>
        <source>   021-030: Expert color temperature correction (Use 3 next Commands)</source>
        <translation>   021-030: Expert color temperature correction (Use 3 next Commands)</translation>
    </message>
    <message>
        <source>In Custom mode, Command 2:</source>
        <translation>In Custom mode, Command 2:</translation>
    </message>
    <message>
        <source>   000-019: Command is ignored</source>
        <translation>   000-019: Command is ignored</translation>
    </message>
    <message>
        <source>   020-110: Custom Color temperature / 100 =&gt; range [2000;11000] °K</source>
        <translation>   020-110: Custom Color temperature / 100 =&gt; range [2000;11000] °K</translation>
    </message>
    <message>
        <source>   111-255: Command is ignored</source>
        <translation>   111-255: Command is ignored</translation>
    </message>
    <message>
        <source>In Expert mode, Command 2-4:</source>
        <translation>In Expert mode, Command 2-4:</translation>
    </message>
    <message>
        <source>   000-255: Color temperature coefficient [0 to 255] =&gt; [0.0 to 1.0]</source>
        <translation>   000-255: Color temperature coefficient [0 to 255] =&gt; [0.0 to 1.0]</translation>
    </message>
    <message>
        <source>Gamma correction coefficients of Red, green and blue  component (each byte represent the gamma of one component in 0.1 step : range [0.1 to 6.6] is coded [1 to 66])</source>
        <translation>Gamma correction coefficients of Red, green and blue  component (each byte represent the gamma of one component in 0.1 step : range [0.1 to 6.6] is coded [1 to 66])</translation>
    </message>
    <message>
        <source>000: Ignored</source>
        <translation>000: Ignored</translation>
    </message>
    <message>
        <source>001-066: Gamma / 10</source>
        <translation>001-066: Gamma / 10</translation>
    </message>
    <message>
        <source>077-255: Ignored</source>
        <translation>077-255: Ignored</translation>
    </message>
    <message>
        <source>Individual Red, Green and Blue components levels for full screen custom color test mode (from 0 to 255)</source>
        <translation>Individual Red, Green and Blue components levels for full screen custom color test mode (from 0 to 255)</translation>
    </message>
    <message>
        <source>Launch a Video presetting from VPU memory:</source>
        <translation>Launch a Video presetting from VPU memory:</translation>
    </message>
    <message>
        <source>000:  Ignored</source>
        <translation>000:  Ignored</translation>
    </message>
    <message>
        <source>001-009: Default Presetting</source>
        <translation>001-009: Default Presetting</translation>
    </message>
    <message>
        <source>010-019: Presetting number 1</source>
        <translation>010-019: Presetting number 1</translation>
    </message>
    <message>
        <source>020-029: Presetting number 2</source>
        <translation>020-029: Presetting number 2</translation>
    </message>
    <message>
        <source>030-039: Presetting number 3</source>
        <translation>030-039: Presetting number 3</translation>
    </message>
    <message>
        <source>040-049: Presetting number 4</source>
        <translation>040-049: Presetting number 4</translation>
    </message>
    <message>
        <source>050-059: Presetting number 5</source>
        <translation>050-059: Presetting number 5</translation>
    </message>
    <message>
        <source>060-069: Presetting number 6</source>
        <translation>060-069: Presetting number 6</translation>
    </message>
    <message>
        <source>070-079: Presetting number 7</source>
        <translation>070-079: Presetting number 7</translation>
    </message>
    <message>
        <source>080-089: Presetting number 8</source>
        <translation>080-089: Presetting number 8</translation>
    </message>
    <message>
        <source>090-255: Ignored</source>
        <translation>090-255: Ignored</translation>
    </message>
    <message>
        <source>&amp;Delete DMX Command</source>
        <translation>&amp;Delete DMX Command</translation>
    </message>
    <message>
        <source>&amp;Add DMX Command</source>
        <translation>&amp;Add DMX Command</translation>
    </message>
    <message>
        <source>&amp;Set DMX Channel</source>
        <translation>&amp;Set DMX Channel</translation>
    </message>
    <message>
        <source>Select DMX Command to add</source>
        <translation>Select DMX Command to add</translation>
    </message>
    <message>
        <source>DMX Command:</source>
        <translation>DMX Command:</translation>
    </message>
    <message>
        <source>Select start channel of DMX Command to add</source>
        <translation>Select start channel of DMX Command to add</translation>
    </message>
    <message>
        <source>DMX Channel:</source>
        <translation>DMX Channel:</translation>
    </message>
    <message>
        <source>Select start channel of DMX Command &apos;%1&apos;</source>
        <translation>Select start channel of DMX Command &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Read DMX mapping from VPU</source>
        <translation>Read DMX mapping from VPU</translation>
    </message>
    <message>
        <source>Select DMX Mapping memory source:</source>
        <translation>Select DMX Mapping memory source:</translation>
    </message>
    <message>
        <source>Invalid DMX mapping read from VPU!</source>
        <translation>Invalid DMX mapping read from VPU!</translation>
    </message>
    <message>
        <source>Failed to write DMX mapping on VPU!</source>
        <translation>Failed to write DMX mapping on VPU!</translation>
    </message>
    <message>
        <source>Send DMX mapping to VPU</source>
        <translation>Send DMX mapping to VPU</translation>
    </message>
    <message>
        <source>Select DMX Mapping memory destination:</source>
        <translation>Select DMX Mapping memory destination:</translation>
    </message>
    <message>
        <source>Select the DMX Mapping configuration file (%1)</source>
        <translation>Select the DMX Mapping configuration file (%1)</translation>
    </message>
    <message>
        <source>Invalid DMX mapping file &apos;%1&apos;!</source>
        <translation>Invalid DMX mapping file &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Select the DMX Mapping output configuration file (%1)</source>
        <translation>Select the DMX Mapping output configuration file (%1)</translation>
    </message>
    <message>
        <source>Failed to save DMX mapping file &apos;%1&apos;!</source>
        <translation>Failed to save DMX mapping file &apos;%1&apos;!</translation>
    </message>
</context>
<context>
    <name>DmxCommand</name>
    <message>
        <source>Enable</source>
        <translation>Enable</translation>
    </message>
    <message>
        <source>Enable DMX link</source>
        <translation>Enable DMX link</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Mode selection (Video input channel, test pattern...)</source>
        <translation>Mode selection (Video input channel, test pattern...)</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>HDMI receiver&apos;s brightness control</source>
        <translation>HDMI receiver&apos;s brightness control</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>HDMI receiver&apos;s contrast control</source>
        <translation>HDMI receiver&apos;s contrast control</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Hue</translation>
    </message>
    <message>
        <source>HDMI receiver&apos;s hue control</source>
        <translation>HDMI receiver&apos;s hue control</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>HDMI receiver&apos;s saturation control</source>
        <translation>HDMI receiver&apos;s saturation control</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>Color Temperature</translation>
    </message>
    <message>
        <source>VPU&apos;s color temperature control</source>
        <translation>VPU&apos;s color temperature control</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>LPU&apos;s gamma control</source>
        <translation>LPU&apos;s gamma control</translation>
    </message>
    <message>
        <source>Test Color</source>
        <translation>Test Color</translation>
    </message>
    <message>
        <source>VPU&apos;s custom RGB test pattern control</source>
        <translation>VPU&apos;s custom RGB test pattern control</translation>
    </message>
    <message>
        <source>Launch Preset</source>
        <translation>Launch Preset</translation>
    </message>
    <message>
        <source>Launch video presetting control</source>
        <translation>Launch video presetting control</translation>
    </message>
</context>
<context>
    <name>FixtureLists</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Scene list</source>
        <translation>Scene list</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Unselect All</source>
        <translation>Unselect All</translation>
    </message>
    <message>
        <source>Cabling list (front view)</source>
        <translation>Cabling list (front view)</translation>
    </message>
    <message>
        <source>Cabled Fixtures:</source>
        <translation>Cabled Fixtures:</translation>
    </message>
    <message>
        <source>Not Cabled Fixtures:</source>
        <translation>Not Cabled Fixtures:</translation>
    </message>
    <message>
        <source>Start Cabling Sequence</source>
        <translation>Start Cabling Sequence</translation>
    </message>
    <message>
        <source>SASU list</source>
        <translation>SASU list</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 - %2</translation>
    </message>
    <message>
        <source>G%1 - %2</source>
        <translation>G%1 - %2</translation>
    </message>
    <message>
        <source>HDMI Output %1</source>
        <translation>HDMI Output %1</translation>
    </message>
    <message>
        <source>Select Next Fixture In Chain</source>
        <translation>Select Next Fixture In Chain</translation>
    </message>
    <message>
        <source>Fixture List:</source>
        <translation>Fixture List:</translation>
    </message>
    <message>
        <source>Stop Cabling Sequence</source>
        <translation>Stop Cabling Sequence</translation>
    </message>
    <message>
        <source>HDMI Output %1 already holds %2 fixtures, the most it can drive: %3 is not cabled!</source>
        <translation>HDMI Output %1 already holds %2 fixtures, the most it can drive: %3 is not cabled!</translation>
    </message>
</context>
<context>
    <name>FixtureSettings</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Fixture</source>
        <translation>Fixture</translation>
    </message>
    <message>
        <source>Top-Left position:</source>
        <translation>Top-Left position:</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Apply Volatile</source>
        <translation>Apply Volatile</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>Rotation:</translation>
    </message>
    <message>
        <source>Angle:</source>
        <translation>Angle:</translation>
    </message>
    <message>
        <source>degree(s)</source>
        <translation>degree(s)</translation>
    </message>
    <message>
        <source>Anchor:</source>
        <translation>Anchor:</translation>
    </message>
    <message>
        <source>Write Permanent</source>
        <translation>Write Permanent</translation>
    </message>
    <message>
        <source>Factory Parameters:</source>
        <translation>Factory Parameters:</translation>
    </message>
    <message>
        <source>Size (in pixels):</source>
        <translation>Size (in pixels):</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Fixture Type:</source>
        <translation>Fixture Type:</translation>
    </message>
    <message>
        <source>0x&gt;HHHHHHHH;_</source>
        <translation>0x&gt;HHHHHHHH;_</translation>
    </message>
    <message>
        <source>0xFFFFFFFF</source>
        <translation>0xFFFFFFFF</translation>
    </message>
    <message>
        <source>Type Name:</source>
        <translation>Type Name:</translation>
    </message>
    <message>
        <source>Manufacturer Code:</source>
        <translation>Manufacturer Code:</translation>
    </message>
    <message>
        <source>Serial Number:</source>
        <translation>Serial Number:</translation>
    </message>
    <message>
        <source>LPU individual settings:</source>
        <translation>LPU individual settings:</translation>
    </message>
    <message>
        <source>Luminosity</source>
        <translation>Luminosity</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Set to default</source>
        <translation>Set to default</translation>
    </message>
    <message>
        <source>Test Color</source>
        <translation>Test Color</translation>
    </message>
    <message>
        <source>Stop Test</source>
        <translation>Stop Test</translation>
    </message>
    <message>
        <source>Failed to configure test color!</source>
        <translation>Failed to configure test color!</translation>
    </message>
    <message>
        <source>Failed to stop test color!</source>
        <translation>Failed to stop test color!</translation>
    </message>
</context>
<context>
    <name>FixtureUpdate</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Get Current Settings</source>
        <translation>Get Current Settings</translation>
    </message>
    <message>
        <source>Fixture:</source>
        <translation>Fixture:</translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation>Firmware:</translation>
    </message>
    <message>
        <source>FPGA:</source>
        <translation>FPGA:</translation>
    </message>
    <message>
        <source>Current Fpga Version:</source>
        <translation>Current Fpga Version:</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Firmwares/FPGA_LPU.rbf</source>
        <translation>Firmwares/FPGA_LPU.rbf</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Software:</translation>
    </message>
    <message>
        <source>Current Software Version:</source>
        <translation>Current Software Version:</translation>
    </message>
    <message>
        <source>Firmwares/nios_LPU.bin</source>
        <translation>Firmwares/nios_LPU.bin</translation>
    </message>
    <message>
        <source>Program Selected Fixture</source>
        <translation>Program Selected Fixture</translation>
    </message>
    <message>
        <source>Program All</source>
        <translation>Program All</translation>
    </message>
    <message>
        <source>Program All Safe</source>
        <translation>Program All Safe</translation>
    </message>
    <message>
        <source>LED Mapping:</source>
        <translation>LED Mapping:</translation>
    </message>
    <message>
        <source>Firmwares/RGBRGB_Curtain.map</source>
        <translation>Firmwares/RGBRGB_Curtain.map</translation>
    </message>
    <message>
        <source>LPU Gain:</source>
        <translation>LPU Gain:</translation>
    </message>
    <message>
        <source>Correct VU coefficients</source>
        <translation>Correct VU coefficients</translation>
    </message>
    <message>
        <source>Gain/Gain_NoGain_128x128.vu3</source>
        <translation>Gain/Gain_NoGain_128x128.vu3</translation>
    </message>
    <message>
        <source>Program Big Screen</source>
        <translation>Program Big Screen</translation>
    </message>
    <message>
        <source>PCB Version:</source>
        <translation>PCB Version:</translation>
    </message>
    <message>
        <source>Factory Parameters:</source>
        <translation>Factory Parameters:</translation>
    </message>
    <message>
        <source>Fixture Type:</source>
        <translation>Fixture Type:</translation>
    </message>
    <message>
        <source>0x</source>
        <translation>0x</translation>
    </message>
    <message>
        <source>00000000</source>
        <translation>00000000</translation>
    </message>
    <message>
        <source>&gt;HHHHHHHH;_</source>
        <translation>&gt;HHHHHHHH;_</translation>
    </message>
    <message>
        <source>Size (in pixels):</source>
        <translation>Size (in pixels):</translation>
    </message>
    <message>
        <source> Width</source>
        <translation> Width</translation>
    </message>
    <message>
        <source> Height</source>
        <translation> Height</translation>
    </message>
    <message>
        <source>Tile&apos;s Configuration:</source>
        <translation>Tile&apos;s Configuration:</translation>
    </message>
    <message>
        <source>Tile 1 (C1):</source>
        <translation>Tile 1 (C1):</translation>
    </message>
    <message>
        <source>Tile 2 (C2):</source>
        <translation>Tile 2 (C2):</translation>
    </message>
    <message>
        <source>Tile 3 (C3):</source>
        <translation>Tile 3 (C3):</translation>
    </message>
    <message>
        <source>Tile 4 (C4):</source>
        <translation>Tile 4 (C4):</translation>
    </message>
    <message>
        <source>Width=64 - Height=64 - Horizontal Origin=0 - Vertical Origin=0</source>
        <translation>Width=64 - Height=64 - Horizontal Origin=0 - Vertical Origin=0</translation>
    </message>
    <message>
        <source>Sensor&apos;s Configuration:</source>
        <translation>Sensor&apos;s Configuration:</translation>
    </message>
    <message>
        <source>Sensor 0:</source>
        <translation>Sensor 0:</translation>
    </message>
    <message>
        <source>Sensor 1:</source>
        <translation>Sensor 1:</translation>
    </message>
    <message>
        <source>Sensor 2:</source>
        <translation>Sensor 2:</translation>
    </message>
    <message>
        <source>Sensor 3:</source>
        <translation>Sensor 3:</translation>
    </message>
    <message>
        <source>No sensor for this type of fixture</source>
        <translation>No sensor for this type of fixture</translation>
    </message>
    <message>
        <source>Manufacturer Code:</source>
        <translation>Manufacturer Code:</translation>
    </message>
    <message>
        <source>Serial Number:</source>
        <translation>Serial Number:</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Unknown fixture type = 0x%1! (check configuration files)</source>
        <translation>Unknown fixture type = 0x%1! (check configuration files)</translation>
    </message>
    <message>
        <source>Invalid sensor type (Please check configuration file)</source>
        <translation>Invalid sensor type (Please check configuration file)</translation>
    </message>
    <message>
        <source>Select the FPGA firmware file to program in FLASH (%1)</source>
        <translation>Select the FPGA firmware file to program in FLASH (%1)</translation>
    </message>
    <message>
        <source>Select the Software firmware file to program in FLASH (%1)</source>
        <translation>Select the Software firmware file to program in FLASH (%1)</translation>
    </message>
    <message>
        <source>Select the fixture Gain table file to program in FLASH</source>
        <translation>Select the fixture Gain table file to program in FLASH</translation>
    </message>
    <message>
        <source>Gain files (*.eldim *.vu3 *.radiant)</source>
        <translation>Gain files (*.eldim *.vu3 *.radiant)</translation>
    </message>
    <message>
        <source>Select the LED mapping file to program in FLASH</source>
        <translation>Select the LED mapping file to program in FLASH</translation>
    </message>
    <message>
        <source>Failed to program parameters on F%1.%2!</source>
        <translation>Failed to program parameters on F%1.%2!</translation>
    </message>
    <message>
        <source>Failed to load MCU software file &apos;%1&apos;</source>
        <translation>Failed to load MCU software file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Fixture&apos;s Firmware update Failed!</source>
        <translation>Fixture&apos;s Firmware update Failed!</translation>
    </message>
    <message>
        <source>Failed to load gain file &apos;%1&apos;</source>
        <translation>Failed to load gain file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Failed to Program Gain file in fixture(s)</source>
        <translation>Failed to Program Gain file in fixture(s)</translation>
    </message>
    <message>
        <source>Programming FPGA Gain tables in fixture failed!</source>
        <translation>Programming FPGA Gain tables in fixture failed!</translation>
    </message>
    <message>
        <source>Programming gain correction on big screen Failed!</source>
        <translation>Programming gain correction on big screen Failed!</translation>
    </message>
    <message>
        <source>Failed to program LED Mapping in fixture(s)!</source>
        <translation>Failed to program LED Mapping in fixture(s)!</translation>
    </message>
    <message>
        <source>Failed to Program LED Mapping file in fixture(s)</source>
        <translation>Failed to Program LED Mapping file in fixture(s)</translation>
    </message>
    <message>
        <source>Width=%1 - Height=%2 - Horizontal Offset=%3 - Vertical Offset=%4</source>
        <translation>Width=%1 - Height=%2 - Horizontal Offset=%3 - Vertical Offset=%4</translation>
    </message>
    <message>
        <source>temperature</source>
        <translation>temperature</translation>
    </message>
    <message>
        <source>humidity</source>
        <translation>humidity</translation>
    </message>
    <message>
        <source>luminosity</source>
        <translation>luminosity</translation>
    </message>
    <message>
        <source>Type=&apos;%1&apos; - Name=&apos;%2&apos;</source>
        <translation>Type=&apos;%1&apos; - Name=&apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>GroupSettings</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>Top-Left position:</source>
        <translation>Top-Left position:</translation>
    </message>
    <message>
        <source>Apply Volatile</source>
        <translation>Apply Volatile</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>Rotation:</translation>
    </message>
    <message>
        <source>Angle:</source>
        <translation>Angle:</translation>
    </message>
    <message>
        <source>degree(s)</source>
        <translation>degree(s)</translation>
    </message>
    <message>
        <source>Anchor:</source>
        <translation>Anchor:</translation>
    </message>
    <message>
        <source>Write Permanent</source>
        <translation>Write Permanent</translation>
    </message>
    <message>
        <source>Group individual settings:</source>
        <translation>Group individual settings:</translation>
    </message>
    <message>
        <source>Luminosity:</source>
        <translation>Luminosity:</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Red:</source>
        <translation>Red:</translation>
    </message>
    <message>
        <source>Green:</source>
        <translation>Green:</translation>
    </message>
    <message>
        <source>Blue:</source>
        <translation>Blue:</translation>
    </message>
    <message>
        <source>Set to default</source>
        <translation>Set to default</translation>
    </message>
    <message>
        <source>G%1</source>
        <translation>G%1</translation>
    </message>
</context>
<context>
    <name>InputColorCtrl</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Brightness (%)</source>
        <translation>Brightness (%)</translation>
    </message>
    <message>
        <source>Contrast (%)</source>
        <translation>Contrast (%)</translation>
    </message>
    <message>
        <source>Hue (°)</source>
        <translation>Hue (°)</translation>
    </message>
    <message>
        <source>Saturation (%)</source>
        <translation>Saturation (%)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
</context>
<context>
    <name>OutputColorCtrl</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>VPU - White Balance :</source>
        <translation>VPU - White Balance :</translation>
    </message>
    <message>
        <source>Standard Color Temperature:</source>
        <translation>Standard Color Temperature:</translation>
    </message>
    <message>
        <source>Custom Color Temperature:</source>
        <translation>Custom Color Temperature:</translation>
    </message>
    <message>
        <source> K</source>
        <translation> K</translation>
    </message>
    <message>
        <source>Expert (Edit Component Coefficients)</source>
        <translation>Expert (Edit Component Coefficients)</translation>
    </message>
    <message>
        <source>Coef_R</source>
        <translation>Coef_R</translation>
    </message>
    <message>
        <source>Coef_G</source>
        <translation>Coef_G</translation>
    </message>
    <message>
        <source>Coef_B</source>
        <translation>Coef_B</translation>
    </message>
    <message>
        <source>Apply Volatile</source>
        <translation>Apply Volatile</translation>
    </message>
    <message>
        <source>Set to default</source>
        <translation>Set to default</translation>
    </message>
    <message>
        <source>LPU - Gamma LUT :</source>
        <translation>LPU - Gamma LUT :</translation>
    </message>
    <message>
        <source>Gamma_R</source>
        <translation>Gamma_R</translation>
    </message>
    <message>
        <source>Gamma_G</source>
        <translation>Gamma_G</translation>
    </message>
    <message>
        <source>Gamma_B</source>
        <translation>Gamma_B</translation>
    </message>
    <message>
        <source>Write Permanent</source>
        <translation>Write Permanent</translation>
    </message>
    <message>
        <source>No Correction</source>
        <translation>No Correction</translation>
    </message>
    <message>
        <source>%1 K</source>
        <translation>%1 K</translation>
    </message>
</context>
<context>
    <name>PaintBrushTools</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Fixture Type</source>
        <translation>Fixture Type</translation>
    </message>
    <message>
        <source>Fixture Group Size</source>
        <translation>Fixture Group Size</translation>
    </message>
    <message>
        <source>Horizontal :</source>
        <translation>Horizontal :</translation>
    </message>
    <message>
        <source>fixtures</source>
        <translation>fixtures</translation>
    </message>
    <message>
        <source>Vertical :</source>
        <translation>Vertical :</translation>
    </message>
    <message>
        <source>Top-Left position:</source>
        <translation>Top-Left position:</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Add Fixture(s)</source>
        <translation>Add Fixture(s)</translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Action in progress</source>
        <translation>Action in progress</translation>
    </message>
    <message>
        <source>Show Details</source>
        <translation>Show Details</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Memory allocation failed!</source>
        <translation>Memory allocation failed!</translation>
    </message>
    <message>
        <source>Communication with VPU failed!</source>
        <translation>Communication with VPU failed!</translation>
    </message>
    <message>
        <source>Invalid parameter!</source>
        <translation>Invalid parameter!</translation>
    </message>
    <message>
        <source>Resource not available!</source>
        <translation>Resource not available!</translation>
    </message>
    <message>
        <source>Directory creation failed!</source>
        <translation>Directory creation failed!</translation>
    </message>
    <message>
        <source>Invalid file name!</source>
        <translation>Invalid file name!</translation>
    </message>
    <message>
        <source>File does not exist!</source>
        <translation>File does not exist!</translation>
    </message>
    <message>
        <source>File open failed!</source>
        <translation>File open failed!</translation>
    </message>
    <message>
        <source>Invalid file size!</source>
        <translation>Invalid file size!</translation>
    </message>
    <message>
        <source>File read error!</source>
        <translation>File read error!</translation>
    </message>
    <message>
        <source>File save error!</source>
        <translation>File save error!</translation>
    </message>
    <message>
        <source>File data error!</source>
        <translation>File data error!</translation>
    </message>
    <message>
        <source>Action cancelled!</source>
        <translation>Action cancelled!</translation>
    </message>
    <message>
        <source>Invalid preset number!</source>
        <translation>Invalid preset number!</translation>
    </message>
    <message>
        <source>Xml configuration file data error!</source>
        <translation>Xml configuration file data error!</translation>
    </message>
    <message>
        <source>Invalid Xml value!</source>
        <translation>Invalid Xml value!</translation>
    </message>
    <message>
        <source>Duplicate xml value!</source>
        <translation>Duplicate xml value!</translation>
    </message>
    <message>
        <source>Xml attribute error!</source>
        <translation>Xml attribute error!</translation>
    </message>
    <message>
        <source>Unknown fixture type!</source>
        <translation>Unknown fixture type!</translation>
    </message>
    <message>
        <source>Fixture does not fit in scene!</source>
        <translation>Fixture does not fit in scene!</translation>
    </message>
    <message>
        <source>Gain data error!</source>
        <translation>Gain data error!</translation>
    </message>
    <message>
        <source>Fixture is not configured correctly for gain tables programmation!</source>
        <translation>Fixture is not configured correctly for gain tables programmation!</translation>
    </message>
    <message>
        <source>Bootloader error on send command!</source>
        <translation>Bootloader error on send command!</translation>
    </message>
    <message>
        <source>Bootloader receive timeout!</source>
        <translation>Bootloader receive timeout!</translation>
    </message>
    <message>
        <source>Bootloader CRC error!</source>
        <translation>Bootloader CRC error!</translation>
    </message>
    <message>
        <source>Memory allocation failed on VPU!</source>
        <translation>Memory allocation failed on VPU!</translation>
    </message>
    <message>
        <source>Fixture response timeout!</source>
        <translation>Fixture response timeout!</translation>
    </message>
    <message>
        <source>Failed to connect to VPU!</source>
        <translation>Failed to connect to VPU!</translation>
    </message>
    <message>
        <source>Invalid parameter in communication with VPU!</source>
        <translation>Invalid parameter in communication with VPU!</translation>
    </message>
    <message>
        <source>Communication timeout with VPU!</source>
        <translation>Communication timeout with VPU!</translation>
    </message>
    <message>
        <source>Invalid message received!</source>
        <translation>Invalid message received!</translation>
    </message>
    <message>
        <source>Invalid message length!</source>
        <translation>Invalid message length!</translation>
    </message>
    <message>
        <source>Unknown command!</source>
        <translation>Unknown command!</translation>
    </message>
    <message>
        <source>Device not found!</source>
        <translation>Device not found!</translation>
    </message>
    <message>
        <source>Failed to close connection!</source>
        <translation>Failed to close connection!</translation>
    </message>
    <message>
        <source>Read-Only flash area!</source>
        <translation>Read-Only flash area!</translation>
    </message>
    <message>
        <source>VPU Flash error!</source>
        <translation>VPU Flash error!</translation>
    </message>
    <message>
        <source>Invalid MCU flash offset!</source>
        <translation>Invalid MCU flash offset!</translation>
    </message>
    <message>
        <source>MCU flash access error!</source>
        <translation>MCU flash access error!</translation>
    </message>
    <message>
        <source>Fixture NAK response!</source>
        <translation>Fixture NAK response!</translation>
    </message>
    <message>
        <source>Fixture doesn&apos;t respond!</source>
        <translation>Fixture doesn&apos;t respond!</translation>
    </message>
    <message>
        <source>Incomplete fixture response!</source>
        <translation>Incomplete fixture response!</translation>
    </message>
    <message>
        <source>Invalid DMX configuration!</source>
        <translation>Invalid DMX configuration!</translation>
    </message>
    <message>
        <source>DMX command number to high!</source>
        <translation>DMX command number to high!</translation>
    </message>
    <message>
        <source>Invalid DMX value!</source>
        <translation>Invalid DMX value!</translation>
    </message>
    <message>
        <source>Invalid Video Preset!</source>
        <translation>Invalid Video Preset!</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Select Group&apos;s Fixtures</source>
        <translation>&amp;Select Group&apos;s Fixtures</translation>
    </message>
    <message>
        <source>&amp;UnSelect Group&apos;s Fixtures</source>
        <translation>&amp;UnSelect Group&apos;s Fixtures</translation>
    </message>
    <message>
        <source>&amp;Group Fixtures</source>
        <translation>&amp;Group Fixtures</translation>
    </message>
    <message>
        <source>&amp;Ungroup Fixtures</source>
        <translation>&amp;Ungroup Fixtures</translation>
    </message>
    <message>
        <source>&amp;Uncable Fixture</source>
        <translation>&amp;Uncable Fixture</translation>
    </message>
    <message>
        <source>&amp;Uncable all fixtures</source>
        <translation>&amp;Uncable all fixtures</translation>
    </message>
    <message>
        <source>&amp;Uncable selected fixture and nexts</source>
        <translation>&amp;Uncable selected fixture and nexts</translation>
    </message>
    <message>
        <source>&amp;Start Cabling From Here</source>
        <translation>&amp;Start Cabling From Here</translation>
    </message>
    <message>
        <source>&amp;Fixture Menu</source>
        <translation>&amp;Fixture Menu</translation>
    </message>
    <message>
        <source>&amp;Cabling Menu</source>
        <translation>&amp;Cabling Menu</translation>
    </message>
</context>
<context>
    <name>SasuSettings</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Fixture</source>
        <translation>Fixture</translation>
    </message>
    <message>
        <source>Monitoring:</source>
        <translation>Monitoring:</translation>
    </message>
    <message>
        <source>Sensor 0</source>
        <translation>Sensor 0</translation>
    </message>
    <message>
        <source>Sensor 1</source>
        <translation>Sensor 1</translation>
    </message>
    <message>
        <source>Sensor 2</source>
        <translation>Sensor 2</translation>
    </message>
    <message>
        <source>Sensor 3</source>
        <translation>Sensor 3</translation>
    </message>
    <message>
        <source>Get Sensor Values</source>
        <translation>Get Sensor Values</translation>
    </message>
    <message>
        <source>Factory Parameters:</source>
        <translation>Factory Parameters:</translation>
    </message>
    <message>
        <source>SASU Type:</source>
        <translation>SASU Type:</translation>
    </message>
    <message>
        <source>0x&gt;HHHHHHHH;_</source>
        <translation>0x&gt;HHHHHHHH;_</translation>
    </message>
    <message>
        <source>0xFFFFFFFF</source>
        <translation>0xFFFFFFFF</translation>
    </message>
    <message>
        <source>Type Name:</source>
        <translation>Type Name:</translation>
    </message>
    <message>
        <source>Serial Number:</source>
        <translation>Serial Number:</translation>
    </message>
    <message>
        <source>Manufacturer Code:</source>
        <translation>Manufacturer Code:</translation>
    </message>
    <message>
        <source>0xHHHHHHHH; </source>
        <translation>0xHHHHHHHH; </translation>
    </message>
    <message>
        <source>Temperature limits for VPU Control </source>
        <translation>Temperature limits for VPU Control </translation>
    </message>
    <message>
        <source>Black Out Monitoring:</source>
        <translation>Black Out Monitoring:</translation>
    </message>
    <message>
        <source>Black Out Screen above (°C)</source>
        <translation>Black Out Screen above (°C)</translation>
    </message>
    <message>
        <source>Remove Black Out under (°C)</source>
        <translation>Remove Black Out under (°C)</translation>
    </message>
    <message>
        <source>Fan Monitoring:</source>
        <translation>Fan Monitoring:</translation>
    </message>
    <message>
        <source>Switch On Fan above (°C)</source>
        <translation>Switch On Fan above (°C)</translation>
    </message>
    <message>
        <source>Switch Off Fan under (°C)</source>
        <translation>Switch Off Fan under (°C)</translation>
    </message>
    <message>
        <source>Write Configuration Permanent</source>
        <translation>Write Configuration Permanent</translation>
    </message>
    <message>
        <source>Read Configuration</source>
        <translation>Read Configuration</translation>
    </message>
    <message>
        <source>Manual Switch Control:</source>
        <translation>Manual Switch Control:</translation>
    </message>
    <message>
        <source>Fan</source>
        <translation>Fan</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Relay</translation>
    </message>
    <message>
        <source>Spare</source>
        <translation>Spare</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Sensor %1 - Unknown</source>
        <translation>Sensor %1 - Unknown</translation>
    </message>
    <message>
        <source>Sensor %1 - None</source>
        <translation>Sensor %1 - None</translation>
    </message>
    <message>
        <source>Sensor %1 - Temperature (°C)</source>
        <translation>Sensor %1 - Temperature (°C)</translation>
    </message>
    <message>
        <source>Sensor %1 - Humidity (%)</source>
        <translation>Sensor %1 - Humidity (%)</translation>
    </message>
    <message>
        <source>Sensor %1 - Brightness (lux)</source>
        <translation>Sensor %1 - Brightness (lux)</translation>
    </message>
    <message>
        <source>Failed to read SASU manual switches!</source>
        <translation>Failed to read SASU manual switches!</translation>
    </message>
    <message>
        <source>Failed to write SASU manual switches!</source>
        <translation>Failed to write SASU manual switches!</translation>
    </message>
</context>
<context>
    <name>SystemSelect</name>
    <message>
        <source>System Selection</source>
        <translation>System Selection</translation>
    </message>
    <message>
        <source>Links available for the Lantrel:</source>
        <translation>Links available for the Lantrel:</translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation>Ethernet</translation>
    </message>
    <message>
        <source>Ethernet settings:</source>
        <translation>Ethernet settings:</translation>
    </message>
    <message>
        <source>IP to use: </source>
        <translation>IP to use: </translation>
    </message>
    <message>
        <source>History of recently used adresses:</source>
        <translation>History of recently used adresses:</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Start Offline</source>
        <translation>Start Offline</translation>
    </message>
    <message>
        <source>Type the VPU&apos;s address: four numbers from 0 to 255 separated by dots (0.0.0.0 is not an address).</source>
        <translation>Type the VPU&apos;s address: four numbers from 0 to 255 separated by dots (0.0.0.0 is not an address).</translation>
    </message>
</context>
<context>
    <name>TestControl</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Set full screen color to:</source>
        <translation>Set full screen color to:</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>White</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Custom Color:</source>
        <translation>Custom Color:</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Freeze current video output</source>
        <translation>Freeze current video output</translation>
    </message>
    <message>
        <source>Show Fixture Sequence Numbers</source>
        <translation>Show Fixture Sequence Numbers</translation>
    </message>
    <message>
        <source>Dot correction:</source>
        <translation>Dot correction:</translation>
    </message>
    <message>
        <source>Disable on all fixtures</source>
        <translation>Disable on all fixtures</translation>
    </message>
    <message>
        <source>Enable on all fixtures</source>
        <translation>Enable on all fixtures</translation>
    </message>
    <message>
        <source>Disable on selected fixtures</source>
        <translation>Disable on selected fixtures</translation>
    </message>
    <message>
        <source>Enable on selected fixtures</source>
        <translation>Enable on selected fixtures</translation>
    </message>
    <message>
        <source>Stop test functions</source>
        <translation>Stop test functions</translation>
    </message>
    <message>
        <source>Failed to set dot correction state on all fixtures!</source>
        <translation>Failed to set dot correction state on all fixtures!</translation>
    </message>
    <message>
        <source>Failed to set dot correction state on fixture F%1.%2!</source>
        <translation>Failed to set dot correction state on fixture F%1.%2!</translation>
    </message>
</context>
<context>
    <name>TestTools</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>FPGA and I2C</source>
        <translation>FPGA and I2C</translation>
    </message>
    <message>
        <source>FPGA</source>
        <translation>FPGA</translation>
    </message>
    <message>
        <source>Offset:</source>
        <translation>Offset:</translation>
    </message>
    <message>
        <source>0x</source>
        <translation>0x</translation>
    </message>
    <message>
        <source>HHHH; </source>
        <translation>HHHH; </translation>
    </message>
    <message>
        <source>Value:</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>&gt;HH;_</source>
        <translation>&gt;HH;_</translation>
    </message>
    <message>
        <source>00</source>
        <translation>00</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>I2C</source>
        <translation>I2C</translation>
    </message>
    <message>
        <source>Link:</source>
        <translation>Link:</translation>
    </message>
    <message>
        <source>Chip Address:</source>
        <translation>Chip Address:</translation>
    </message>
    <message>
        <source>Sub Address:</source>
        <translation>Sub Address:</translation>
    </message>
    <message>
        <source>Fpga Test Pattern:</source>
        <translation>Fpga Test Pattern:</translation>
    </message>
    <message>
        <source>Scaler Output</source>
        <translation>Scaler Output</translation>
    </message>
    <message>
        <source>Fpga Output (Vertical Column)</source>
        <translation>Fpga Output (Vertical Column)</translation>
    </message>
    <message>
        <source> Blackout SDRAM</source>
        <translation> Blackout SDRAM</translation>
    </message>
    <message>
        <source>SDRAM Input (Grayscale Diagonal)</source>
        <translation>SDRAM Input (Grayscale Diagonal)</translation>
    </message>
    <message>
        <source>SDRAM</source>
        <translation>SDRAM</translation>
    </message>
    <message>
        <source>Read / Write File:</source>
        <translation>Read / Write File:</translation>
    </message>
    <message>
        <source>Top:</source>
        <translation>Top:</translation>
    </message>
    <message>
        <source>Left:</source>
        <translation>Left:</translation>
    </message>
    <message>
        <source>Right:</source>
        <translation>Right:</translation>
    </message>
    <message>
        <source>Bottom:</source>
        <translation>Bottom:</translation>
    </message>
    <message>
        <source>Read From SDRAM:</source>
        <translation>Read From SDRAM:</translation>
    </message>
    <message>
        <source>temp.bmp</source>
        <translation>temp.bmp</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Write to SDRAM:</source>
        <translation>Write to SDRAM:</translation>
    </message>
    <message>
        <source>Write Pattern to SDRAM:</source>
        <translation>Write Pattern to SDRAM:</translation>
    </message>
    <message>
        <source>RGB_Ramp</source>
        <translation>RGB_Ramp</translation>
    </message>
    <message>
        <source>Noise</source>
        <translation>Noise</translation>
    </message>
    <message>
        <source>Full_Sdram_Red</source>
        <translation>Full_Sdram_Red</translation>
    </message>
    <message>
        <source>Read / Write Pixel:</source>
        <translation>Read / Write Pixel:</translation>
    </message>
    <message>
        <source>Pixel Position</source>
        <translation>Pixel Position</translation>
    </message>
    <message>
        <source>x:</source>
        <translation>x:</translation>
    </message>
    <message>
        <source>y:</source>
        <translation>y:</translation>
    </message>
    <message>
        <source>Pixel Value:</source>
        <translation>Pixel Value:</translation>
    </message>
    <message>
        <source>Red: 0x</source>
        <translation>Red: 0x</translation>
    </message>
    <message>
        <source>&gt;HH; </source>
        <translation>&gt;HH; </translation>
    </message>
    <message>
        <source>FF</source>
        <translation>FF</translation>
    </message>
    <message>
        <source>Green: 0x</source>
        <translation>Green: 0x</translation>
    </message>
    <message>
        <source>Blue: 0x</source>
        <translation>Blue: 0x</translation>
    </message>
    <message>
        <source>VPU</source>
        <translation>VPU</translation>
    </message>
    <message>
        <source>Reboot:</source>
        <translation>Reboot:</translation>
    </message>
    <message>
        <source>Reboot MCU</source>
        <translation>Reboot MCU</translation>
    </message>
    <message>
        <source>FLASH VPU:</source>
        <translation>FLASH VPU:</translation>
    </message>
    <message>
        <source>Erase Sectors</source>
        <translation>Erase Sectors</translation>
    </message>
    <message>
        <source>Read / Write Short:</source>
        <translation>Read / Write Short:</translation>
    </message>
    <message>
        <source>&gt;HHHHHHHH; </source>
        <translation>&gt;HHHHHHHH; </translation>
    </message>
    <message>
        <source>00000000</source>
        <translation>00000000</translation>
    </message>
    <message>
        <source>Value : 0x</source>
        <translation>Value : 0x</translation>
    </message>
    <message>
        <source>&gt;HHHH; </source>
        <translation>&gt;HHHH; </translation>
    </message>
    <message>
        <source>0000</source>
        <translation>0000</translation>
    </message>
    <message>
        <source>Read Short</source>
        <translation>Read Short</translation>
    </message>
    <message>
        <source>Write Short</source>
        <translation>Write Short</translation>
    </message>
    <message>
        <source>Data/vpu_flash.bin</source>
        <translation>Data/vpu_flash.bin</translation>
    </message>
    <message>
        <source>Size: 0x</source>
        <translation>Size: 0x</translation>
    </message>
    <message>
        <source>LPU</source>
        <translation>LPU</translation>
    </message>
    <message>
        <source>LPU Memory Access:</source>
        <translation>LPU Memory Access:</translation>
    </message>
    <message>
        <source>Fixture:</source>
        <translation>Fixture:</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Broadcast</source>
        <translation>Broadcast</translation>
    </message>
    <message>
        <source>32bits Read/Write:</source>
        <translation>32bits Read/Write:</translation>
    </message>
    <message>
        <source>&gt;HHHHHHHH;_</source>
        <translation>&gt;HHHHHHHH;_</translation>
    </message>
    <message>
        <source>File Read / Write:</source>
        <translation>File Read / Write:</translation>
    </message>
    <message>
        <source>Data/lpu_mem.dat</source>
        <translation>Data/lpu_mem.dat</translation>
    </message>
    <message>
        <source>Acquisition buffer Read / Write:</source>
        <translation>Acquisition buffer Read / Write:</translation>
    </message>
    <message>
        <source>Data/lpu_acq_buf.bmp</source>
        <translation>Data/lpu_acq_buf.bmp</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Reboot</translation>
    </message>
    <message>
        <source>Gain:</source>
        <translation>Gain:</translation>
    </message>
    <message>
        <source>Fixed_1.0</source>
        <translation>Fixed_1.0</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>Ramp</source>
        <translation>Ramp</translation>
    </message>
    <message>
        <source>No_Gain</source>
        <translation>No_Gain</translation>
    </message>
    <message>
        <source>0.25R - 0.25G - 0.25B</source>
        <translation>0.25R - 0.25G - 0.25B</translation>
    </message>
    <message>
        <source>0.50R - 0.50G - 0.50B</source>
        <translation>0.50R - 0.50G - 0.50B</translation>
    </message>
    <message>
        <source>0.75R - 0.75G - 0.75B</source>
        <translation>0.75R - 0.75G - 0.75B</translation>
    </message>
    <message>
        <source>0.25R - 0.00G - 0.00B</source>
        <translation>0.25R - 0.00G - 0.00B</translation>
    </message>
    <message>
        <source>0.50R - 0.00G - 0.00B</source>
        <translation>0.50R - 0.00G - 0.00B</translation>
    </message>
    <message>
        <source>0.75R - 0.00G - 0.00B</source>
        <translation>0.75R - 0.00G - 0.00B</translation>
    </message>
    <message>
        <source>1.00R - 0.00G - 0.00B</source>
        <translation>1.00R - 0.00G - 0.00B</translation>
    </message>
    <message>
        <source>0.00R - 0.25G - 0.00B</source>
        <translation>0.00R - 0.25G - 0.00B</translation>
    </message>
    <message>
        <source>0.00R - 0.50G - 0.00B</source>
        <translation>0.00R - 0.50G - 0.00B</translation>
    </message>
    <message>
        <source>0.00R - 0.75G - 0.00B</source>
        <translation>0.00R - 0.75G - 0.00B</translation>
    </message>
    <message>
        <source>0.00R - 1.00G - 0.00B</source>
        <translation>0.00R - 1.00G - 0.00B</translation>
    </message>
    <message>
        <source>0.00R - 0.00G - 0.25B</source>
        <translation>0.00R - 0.00G - 0.25B</translation>
    </message>
    <message>
        <source>0.00R - 0.00G - 0.50B</source>
        <translation>0.00R - 0.00G - 0.50B</translation>
    </message>
    <message>
        <source>0.00R - 0.00G - 0.75B</source>
        <translation>0.00R - 0.00G - 0.75B</translation>
    </message>
    <message>
        <source>0.00R - 0.00G - 1.00B</source>
        <translation>0.00R - 0.00G - 1.00B</translation>
    </message>
    <message>
        <source>0.801207R - 0.510364G - 0.691482B</source>
        <translation>0.801207R - 0.510364G - 0.691482B</translation>
    </message>
    <message>
        <source>All_0.0</source>
        <translation>All_0.0</translation>
    </message>
    <message>
        <source>Counters</source>
        <translation>Counters</translation>
    </message>
    <message>
        <source>VU</source>
        <translation>VU</translation>
    </message>
    <message>
        <source>ELDIM</source>
        <translation>ELDIM</translation>
    </message>
    <message>
        <source>RADIANT</source>
        <translation>RADIANT</translation>
    </message>
    <message>
        <source>Gain\test.vu3</source>
        <translation>Gain\test.vu3</translation>
    </message>
    <message>
        <source>Gain\test.eldim</source>
        <translation>Gain\test.eldim</translation>
    </message>
    <message>
        <source>Gain\test.radiant</source>
        <translation>Gain\test.radiant</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Generate</translation>
    </message>
    <message>
        <source>LED Mapping:</source>
        <translation>LED Mapping:</translation>
    </message>
    <message>
        <source>Driver Input:</source>
        <translation>Driver Input:</translation>
    </message>
    <message>
        <source>Start 0 - Top to Bottom (Curtain) - Right to Left (Cabinet)</source>
        <translation>Start 0 - Top to Bottom (Curtain) - Right to Left (Cabinet)</translation>
    </message>
    <message>
        <source>Start 63 - Bottom to Top (Curtain) - Left to Right (Cabinet)</source>
        <translation>Start 63 - Bottom to Top (Curtain) - Left to Right (Cabinet)</translation>
    </message>
    <message>
        <source>LED Order and number (from opposite of driver input)</source>
        <translation>LED Order and number (from opposite of driver input)</translation>
    </message>
    <message>
        <source>First Color</source>
        <translation>First Color</translation>
    </message>
    <message>
        <source>Second Color</source>
        <translation>Second Color</translation>
    </message>
    <message>
        <source>Third Color</source>
        <translation>Third Color</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>MIF</source>
        <translation>MIF</translation>
    </message>
    <message>
        <source>MAP</source>
        <translation>MAP</translation>
    </message>
    <message>
        <source>Firmwares\1R1G1B_First_Pixel_0_Curtain.mif</source>
        <translation>Firmwares\1R1G1B_First_Pixel_0_Curtain.mif</translation>
    </message>
    <message>
        <source>Firmwares\1R1G1B_First_Pixel_0_Curtain.map</source>
        <translation>Firmwares\1R1G1B_First_Pixel_0_Curtain.map</translation>
    </message>
    <message>
        <source>Firmwares\16R16G16B_First_Pixel_0_Cabinet.mif</source>
        <translation>Firmwares\16R16G16B_First_Pixel_0_Cabinet.mif</translation>
    </message>
    <message>
        <source>Firmwares\16R16G16B_First_Pixel_0_Cabinet.map</source>
        <translation>Firmwares\16R16G16B_First_Pixel_0_Cabinet.map</translation>
    </message>
    <message>
        <source>Script</source>
        <translation>Script</translation>
    </message>
    <message>
        <source>Script Player:</source>
        <translation>Script Player:</translation>
    </message>
    <message>
        <source>Run Script</source>
        <translation>Run Script</translation>
    </message>
    <message>
        <source>Failed to Erase Flash Sector at offset 0x%1! Stop Erase sequence!</source>
        <translation>Failed to Erase Flash Sector at offset 0x%1! Stop Erase sequence!</translation>
    </message>
    <message>
        <source>Failed to write flash short word at offset &apos;0x%1&apos; with value &apos;0x%2&apos;</source>
        <translation>Failed to write flash short word at offset &apos;0x%1&apos; with value &apos;0x%2&apos;</translation>
    </message>
    <message>
        <source>Failed to write &apos;%1&apos; file on flash at offset &apos;0x%2&apos;</source>
        <translation>Failed to write &apos;%1&apos; file on flash at offset &apos;0x%2&apos;</translation>
    </message>
    <message>
        <source>Select the Flash Output file</source>
        <translation>Select the Flash Output file</translation>
    </message>
    <message>
        <source>Select the file to write in flash</source>
        <translation>Select the file to write in flash</translation>
    </message>
    <message>
        <source>Select the Gain Output file (%1)</source>
        <translation>Select the Gain Output file (%1)</translation>
    </message>
    <message>
        <source>Failed to generate fixture gain file!</source>
        <translation>Failed to generate fixture gain file!</translation>
    </message>
    <message>
        <source>Select the LED Mapping Output file (%1)</source>
        <translation>Select the LED Mapping Output file (%1)</translation>
    </message>
    <message>
        <source>Failed to write file to fixture memory!</source>
        <translation>Failed to write file to fixture memory!</translation>
    </message>
    <message>
        <source>Failed to write image file to fixture Acquisition Buffer</source>
        <translation>Failed to write image file to fixture Acquisition Buffer</translation>
    </message>
    <message>
        <source>Select the fixture memory data Input file</source>
        <translation>Select the fixture memory data Input file</translation>
    </message>
    <message>
        <source>Select the fixture memory data Output file</source>
        <translation>Select the fixture memory data Output file</translation>
    </message>
    <message>
        <source>Select the fixture Acquisition buffer Output file (%1)</source>
        <translation>Select the fixture Acquisition buffer Output file (%1)</translation>
    </message>
    <message>
        <source>Select the fixture Acquisition Output file (%1)</source>
        <translation>Select the fixture Acquisition Output file (%1)</translation>
    </message>
    <message>
        <source>Select the script file (%1)</source>
        <translation>Select the script file (%1)</translation>
    </message>
    <message>
        <source>Select the SDRAM Output file (%1)</source>
        <translation>Select the SDRAM Output file (%1)</translation>
    </message>
    <message>
        <source>Select the SDRAM Input file (%1)</source>
        <translation>Select the SDRAM Input file (%1)</translation>
    </message>
    <message>
        <source>Sector %1 - %2KB - Offset 0x%3</source>
        <translation>Sector %1 - %2KB - Offset 0x%3</translation>
    </message>
</context>
<context>
    <name>ToolBox</name>
    <message>
        <source>Upload Configuration From VPU</source>
        <translation>Upload Configuration From VPU</translation>
    </message>
    <message>
        <source>Download Configuration to VPU</source>
        <translation>Download Configuration to VPU</translation>
    </message>
    <message>
        <source>Launch fixture enumeration on VPU</source>
        <translation>Launch fixture enumeration on VPU</translation>
    </message>
    <message>
        <source>Reset Fixtures</source>
        <translation>Reset Fixtures</translation>
    </message>
    <message>
        <source>Add Fixtures</source>
        <translation>Add Fixtures</translation>
    </message>
    <message>
        <source>Delete selected Fixtures</source>
        <translation>Delete selected Fixtures</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>Zoom All</source>
        <translation>Zoom All</translation>
    </message>
</context>
<context>
    <name>Traces</name>
    <message>
        <source>Traces</source>
        <translation>Traces</translation>
    </message>
</context>
<context>
    <name>VideoInput</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Video Input :</source>
        <translation>Video Input :</translation>
    </message>
    <message>
        <source>Source :</source>
        <translation>Source :</translation>
    </message>
    <message>
        <source>DVI 1</source>
        <translation>DVI 1</translation>
    </message>
    <message>
        <source>DVI 2</source>
        <translation>DVI 2</translation>
    </message>
    <message>
        <source>HDMI 1</source>
        <translation>HDMI 1</translation>
    </message>
    <message>
        <source>HDMI 2</source>
        <translation>HDMI 2</translation>
    </message>
    <message>
        <source>Get Format</source>
        <translation>Get Format</translation>
    </message>
    <message>
        <source>Rotation :</source>
        <translation>Rotation :</translation>
    </message>
    <message>
        <source>Resize to :</source>
        <translation>Resize to :</translation>
    </message>
    <message>
        <source>Standard :</source>
        <translation>Standard :</translation>
    </message>
    <message>
        <source>1920x1080 (60Hz)</source>
        <translation>1920x1080 (60Hz)</translation>
    </message>
    <message>
        <source>Custom :</source>
        <translation>Custom :</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Top-left position :</source>
        <translation>Top-left position :</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Video Presets :</source>
        <translation>Video Presets :</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>HD1080 - 1920x1080</source>
        <translation>HD1080 - 1920x1080</translation>
    </message>
    <message>
        <source>UXGA - 1600x1200</source>
        <translation>UXGA - 1600x1200</translation>
    </message>
    <message>
        <source>SXGA - 1280x1024</source>
        <translation>SXGA - 1280x1024</translation>
    </message>
    <message>
        <source>HD720 - 1280x720</source>
        <translation>HD720 - 1280x720</translation>
    </message>
    <message>
        <source>XGA - 1024x768</source>
        <translation>XGA - 1024x768</translation>
    </message>
    <message>
        <source>Not Locked</source>
        <translation>Not Locked</translation>
    </message>
    <message>
        <source>Interlaced</source>
        <translation>Interlaced</translation>
    </message>
    <message>
        <source>Progressive</source>
        <translation>Progressive</translation>
    </message>
    <message>
        <source> - Encrypted</source>
        <translation> - Encrypted</translation>
    </message>
    <message>
        <source>Send video setting to VPU</source>
        <translation>Send video setting to VPU</translation>
    </message>
    <message>
        <source>Select video setting memory destination:</source>
        <translation>Select video setting memory destination:</translation>
    </message>
    <message>
        <source>Read video setting to VPU</source>
        <translation>Read video setting to VPU</translation>
    </message>
    <message>
        <source>Select video setting memory source:</source>
        <translation>Select video setting memory source:</translation>
    </message>
</context>
<context>
    <name>VpuMemorySlot</name>
    <message>
        <source>Current (Volatile)</source>
        <translation>Current (Volatile)</translation>
    </message>
    <message>
        <source>Default (Permanent loaded on system boot)</source>
        <translation>Default (Permanent loaded on system boot)</translation>
    </message>
    <message>
        <source>Preset 1 (Permanent)</source>
        <translation>Preset 1 (Permanent)</translation>
    </message>
    <message>
        <source>Preset 2 (Permanent)</source>
        <translation>Preset 2 (Permanent)</translation>
    </message>
    <message>
        <source>Preset 3 (Permanent)</source>
        <translation>Preset 3 (Permanent)</translation>
    </message>
    <message>
        <source>Preset 4 (Permanent)</source>
        <translation>Preset 4 (Permanent)</translation>
    </message>
    <message>
        <source>Preset 5 (Permanent)</source>
        <translation>Preset 5 (Permanent)</translation>
    </message>
    <message>
        <source>Preset 6 (Permanent)</source>
        <translation>Preset 6 (Permanent)</translation>
    </message>
    <message>
        <source>Preset 7 (Permanent)</source>
        <translation>Preset 7 (Permanent)</translation>
    </message>
    <message>
        <source>Preset 8 (Permanent)</source>
        <translation>Preset 8 (Permanent)</translation>
    </message>
</context>
<context>
    <name>VpuUpdate</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>MCU Firmware:</source>
        <translation>MCU Firmware:</translation>
    </message>
    <message>
        <source>Current Version:</source>
        <translation>Current Version:</translation>
    </message>
    <message>
        <source>BootLoader:</source>
        <translation>BootLoader:</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Software:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Update Link:</source>
        <translation>Update Link:</translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation>Ethernet</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>999.999.999.999; </source>
        <translation>999.999.999.999; </translation>
    </message>
    <message>
        <source>169.254.001.011</source>
        <translation>169.254.001.011</translation>
    </message>
    <message>
        <source>UDP Port</source>
        <translation>UDP Port</translation>
    </message>
    <message>
        <source>99999; </source>
        <translation>99999; </translation>
    </message>
    <message>
        <source>6234</source>
        <translation>6234</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>VID</source>
        <translation>VID</translation>
    </message>
    <message>
        <source>&gt;HHHH;_</source>
        <translation>&gt;HHHH;_</translation>
    </message>
    <message>
        <source>04D8</source>
        <translation>04D8</translation>
    </message>
    <message>
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message>
        <source>003C</source>
        <translation>003C</translation>
    </message>
    <message>
        <source>Full Automatic Program MCU</source>
        <translation>Full Automatic Program MCU</translation>
    </message>
    <message>
        <source>Connect to BootLoader and Program MCU</source>
        <translation>Connect to BootLoader and Program MCU</translation>
    </message>
    <message>
        <source>MCU Data</source>
        <translation>MCU Data</translation>
    </message>
    <message>
        <source>Program MCU Data</source>
        <translation>Program MCU Data</translation>
    </message>
    <message>
        <source>Factory Parameters:</source>
        <translation>Factory Parameters:</translation>
    </message>
    <message>
        <source>VPU Type:</source>
        <translation>VPU Type:</translation>
    </message>
    <message>
        <source>0x</source>
        <translation>0x</translation>
    </message>
    <message>
        <source>&gt;HHHHHHHH;_</source>
        <translation>&gt;HHHHHHHH;_</translation>
    </message>
    <message>
        <source>FFFFFFFF</source>
        <translation>FFFFFFFF</translation>
    </message>
    <message>
        <source>Serial Number:</source>
        <translation>Serial Number:</translation>
    </message>
    <message>
        <source>Manufacturer Code:</source>
        <translation>Manufacturer Code:</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>FPGA Firmware:</source>
        <translation>FPGA Firmware:</translation>
    </message>
    <message>
        <source>Program FPGA</source>
        <translation>Program FPGA</translation>
    </message>
    <message>
        <source>Get Current Settings</source>
        <translation>Get Current Settings</translation>
    </message>
    <message>
        <source>Select the firmware file to program in MCU (%1)</source>
        <translation>Select the firmware file to program in MCU (%1)</translation>
    </message>
    <message>
        <source>Select the FPGA firmware file to program in FLASH (%1)</source>
        <translation>Select the FPGA firmware file to program in FLASH (%1)</translation>
    </message>
    <message>
        <source>Select the MCU Data file list to program in FLASH (%1)</source>
        <translation>Select the MCU Data file list to program in FLASH (%1)</translation>
    </message>
    <message>
        <source>VPU&apos;s User FPGA Firmware programmation Failed!</source>
        <translation>VPU&apos;s User FPGA Firmware programmation Failed!</translation>
    </message>
    <message>
        <source>Failed to load MCU Hex File &apos;%1&apos;</source>
        <translation>Failed to load MCU Hex File &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Failed to program MCU!</source>
        <translation>Failed to program MCU!</translation>
    </message>
    <message>
        <source>Invalid MCU data file list: &apos;%1&apos;</source>
        <translation>Invalid MCU data file list: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Failed to program MCU data in VPU&apos;s FLASH!</source>
        <translation>Failed to program MCU data in VPU&apos;s FLASH!</translation>
    </message>
</context>
<context>
    <name>Welcome</name>
    <message>
        <source>Company Icon</source>
        <translation>Company Icon</translation>
    </message>
    <message>
        <source>Invalid Company Information File &apos;%1&apos;!</source>
        <translation>Invalid Company Information File &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Failed to open traduction file &apos;%1&apos;!</source>
        <translation>Failed to open traduction file &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Load Graphical User Interface in &apos;English&apos; language.</source>
        <translation>Load Graphical User Interface in &apos;English&apos; language.</translation>
    </message>
</context>
<context>
    <name>Workspace</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Red border</source>
        <translation>Red border</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>width</source>
        <translation>width</translation>
    </message>
    <message>
        <source>height</source>
        <translation>height</translation>
    </message>
    <message>
        <source>Top-Left position:</source>
        <translation>Top-Left position:</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Upload Snaphost</source>
        <translation>Upload Snaphost</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Ratio:</source>
        <translation>Ratio:</translation>
    </message>
    <message>
        <source>Resize to:</source>
        <translation>Resize to:</translation>
    </message>
    <message>
        <source>Keep original:</source>
        <translation>Keep original:</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>pixels spacing</source>
        <translation>pixels spacing</translation>
    </message>
    <message>
        <source>Background image &apos;%1&apos; file format is not valid!</source>
        <translation>Background image &apos;%1&apos; file format is not valid!</translation>
    </message>
    <message>
        <source>Background image file &apos;%1&apos; is not valid!</source>
        <translation>Background image file &apos;%1&apos; is not valid!</translation>
    </message>
    <message>
        <source>Choose Background Image File</source>
        <translation>Choose Background Image File</translation>
    </message>
    <message>
        <source>Images (*.bmp *.gif *.jpg *.jpeg *.png *.pbm *.pgm *.ppm *.tiff *.xbm *.xpm)</source>
        <translation>Images (*.bmp *.gif *.jpg *.jpeg *.png *.pbm *.pgm *.ppm *.tiff *.xbm *.xpm)</translation>
    </message>
    <message>
        <source>Select the VPU snapshot image output file</source>
        <translation>Select the VPU snapshot image output file</translation>
    </message>
    <message>
        <source>VPU Snapshot Failed - Failed to read pixel data from sdram!</source>
        <translation>VPU Snapshot Failed - Failed to read pixel data from sdram!</translation>
    </message>
    <message>
        <source>VPU Snapshot Failed - Failed to save VPU Snaphot image in &apos;%1&apos;</source>
        <translation>VPU Snapshot Failed - Failed to save VPU Snaphot image in &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>Zelvor</name>
    <message>
        <source>Offline</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>Online : Connected to &apos;%1&apos;</source>
        <translation>Online : Connected to &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Failed to initialize communication with VPU!</source>
        <translation>Failed to initialize communication with VPU!</translation>
    </message>
    <message>
        <source>Failed to open connexion with VPU!</source>
        <translation>Failed to open connexion with VPU!</translation>
    </message>
    <message>
        <source>Lantrel</source>
        <translation>Lantrel</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Recent Projects</source>
        <translation>Recent Projects</translation>
    </message>
    <message>
        <source>View</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Video settings</source>
        <translation>Video settings</translation>
    </message>
    <message>
        <source>Fixture settings</source>
        <translation>Fixture settings</translation>
    </message>
    <message>
        <source>Workspace settings</source>
        <translation>Workspace settings</translation>
    </message>
    <message>
        <source>Fixtures Lists</source>
        <translation>Fixtures Lists</translation>
    </message>
    <message>
        <source>SASU Settings and Monitoring</source>
        <translation>SASU Settings and Monitoring</translation>
    </message>
    <message>
        <source>Test Functions</source>
        <translation>Test Functions</translation>
    </message>
    <message>
        <source>Global Color Settings</source>
        <translation>Global Color Settings</translation>
    </message>
    <message>
        <source>Color Control</source>
        <translation>Color Control</translation>
    </message>
    <message>
        <source>Custom Fixture Paintbrush</source>
        <translation>Custom Fixture Paintbrush</translation>
    </message>
    <message>
        <source>Group Settings</source>
        <translation>Group Settings</translation>
    </message>
    <message>
        <source>Fixture Update</source>
        <translation>Fixture Update</translation>
    </message>
    <message>
        <source>VPU Update</source>
        <translation>VPU Update</translation>
    </message>
    <message>
        <source>DMX Mapping Configuration</source>
        <translation>DMX Mapping Configuration</translation>
    </message>
    <message>
        <source>Test Tools</source>
        <translation>Test Tools</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Open Project</source>
        <translation>Open Project</translation>
    </message>
    <message>
        <source>Save Project</source>
        <translation>Save Project</translation>
    </message>
    <message>
        <source>New Empty Project</source>
        <translation>New Empty Project</translation>
    </message>
    <message>
        <source>Save Project As...</source>
        <translation>Save Project As...</translation>
    </message>
    <message>
        <source>Fixtures Update</source>
        <translation>Fixtures Update</translation>
    </message>
    <message>
        <source>(Error Code = %1) - </source>
        <translation>(Error Code = %1) - </translation>
    </message>
    <message>
        <source>%1 - V%2 - %3</source>
        <translation>%1 - V%2 - %3</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>Project:</source>
        <translation>Project:</translation>
    </message>
    <message>
        <source> Restricted Function </source>
        <translation> Restricted Function </translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Invalid Password!</source>
        <translation>Invalid Password!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Failed to load file &apos;%1&apos;</source>
        <translation>Failed to load file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Invalid fixture block: %1 x %2 fixtures of %3 x %4 pixels!</source>
        <translation>Invalid fixture block: %1 x %2 fixtures of %3 x %4 pixels!</translation>
    </message>
    <message>
        <source>Fixture(s) does not fit in the Full Screen width!</source>
        <translation>Fixture(s) does not fit in the Full Screen width!</translation>
    </message>
    <message>
        <source>Fixture(s) does not fit in the Full Screen height!</source>
        <translation>Fixture(s) does not fit in the Full Screen height!</translation>
    </message>
    <message>
        <source>No free number is left for %1 more fixtures that are not cabled!</source>
        <translation>No free number is left for %1 more fixtures that are not cabled!</translation>
    </message>
    <message>
        <source>No free group number is left: a project holds at most %1 groups!</source>
        <translation>No free group number is left: a project holds at most %1 groups!</translation>
    </message>
    <message>
        <source>Group %1</source>
        <translation>Group %1</translation>
    </message>
    <message>
        <source>&amp;Group Fixtures</source>
        <translation>&amp;Group Fixtures</translation>
    </message>
    <message>
        <source>&amp;UnGroup Fixtures</source>
        <translation>&amp;UnGroup Fixtures</translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation>&amp;Top</translation>
    </message>
    <message>
        <source>&amp;Bottom</source>
        <translation>&amp;Bottom</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>&amp;Left</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>&amp;Right</translation>
    </message>
    <message>
        <source>&amp;Set rotation to...</source>
        <translation>&amp;Set rotation to...</translation>
    </message>
    <message>
        <source>&amp;Align</source>
        <translation>&amp;Align</translation>
    </message>
    <message>
        <source>&amp;Fixture Menu</source>
        <translation>&amp;Fixture Menu</translation>
    </message>
    <message>
        <source>Set Fixture and Group Rotation</source>
        <translation>Set Fixture and Group Rotation</translation>
    </message>
    <message>
        <source>Angle:</source>
        <translation>Angle:</translation>
    </message>
    <message>
        <source>Invalid background file &apos;%1&apos;!</source>
        <translation>Invalid background file &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Connecting to &apos;%1&apos;...</source>
        <translation>Connecting to &apos;%1&apos;...</translation>
    </message>
    <message>
        <source>Configuration Download to VPU</source>
        <translation>Configuration Download to VPU</translation>
    </message>
    <message>
        <source>Do you want to download the current configuration to connected VPU ?</source>
        <translation>Do you want to download the current configuration to connected VPU ?</translation>
    </message>
    <message>
        <source>Invalid project configuration: All fixtures are not cabled!</source>
        <translation>Invalid project configuration: All fixtures are not cabled!</translation>
    </message>
    <message>
        <source>Checking fixture number connected to VPU...</source>
        <translation>Checking fixture number connected to VPU...</translation>
    </message>
    <message>
        <source>Checking fixture types...</source>
        <translation>Checking fixture types...</translation>
    </message>
    <message>
        <source>Writing configuration on fixture %1/%2...</source>
        <translation>Writing configuration on fixture %1/%2...</translation>
    </message>
    <message>
        <source>Writing Video presettings...</source>
        <translation>Writing Video presettings...</translation>
    </message>
    <message>
        <source>Writing DMX mapping...</source>
        <translation>Writing DMX mapping...</translation>
    </message>
    <message>
        <source>Resetting fixtures...</source>
        <translation>Resetting fixtures...</translation>
    </message>
    <message>
        <source>Invalid scene configuration: Enumeration is not done on VPU (HDMI_OUT_%1)!</source>
        <translation>Invalid scene configuration: Enumeration is not done on VPU (HDMI_OUT_%1)!</translation>
    </message>
    <message>
        <source>Invalid scene configuration: VPU detects %1 LPUs on HDMI_OUT_%2 although project requires %3 LPUs!</source>
        <translation>Invalid scene configuration: VPU detects %1 LPUs on HDMI_OUT_%2 although project requires %3 LPUs!</translation>
    </message>
    <message>
        <source>Invalid scene configuration: VPU detects %1 SASUs on HDMI_OUT_%2 although project requires %3 SASUs!</source>
        <translation>Invalid scene configuration: VPU detects %1 SASUs on HDMI_OUT_%2 although project requires %3 SASUs!</translation>
    </message>
    <message>
        <source>Invalid scene configuration: The fixtures on HDMI_OUT_%1 are not numbered 1 to %2 as the VPU enumerated them!</source>
        <translation>Invalid scene configuration: The fixtures on HDMI_OUT_%1 are not numbered 1 to %2 as the VPU enumerated them!</translation>
    </message>
    <message>
        <source>Invalid scene configuration: Type of fixture (SASU or LPU) read from F%1.%2 is not the same that in the project configuration!</source>
        <translation>Invalid scene configuration: Type of fixture (SASU or LPU) read from F%1.%2 is not the same that in the project configuration!</translation>
    </message>
    <message>
        <source>Project downloaded to VPU!</source>
        <translation>Project downloaded to VPU!</translation>
    </message>
    <message>
        <source>Failed to download project to VPU!</source>
        <translation>Failed to download project to VPU!</translation>
    </message>
    <message>
        <source>Failed to upload project from VPU!</source>
        <translation>Failed to upload project from VPU!</translation>
    </message>
    <message>
        <source>Failed to create fixture!</source>
        <translation>Failed to create fixture!</translation>
    </message>
    <message>
        <source>Unknown fixture group number %1!</source>
        <translation>Unknown fixture group number %1!</translation>
    </message>
    <message>
        <source>Save Project ?</source>
        <translation>Save Project ?</translation>
    </message>
    <message>
        <source>Do you want to save the current project?</source>
        <translation>Do you want to save the current project?</translation>
    </message>
    <message>
        <source>New Project</source>
        <translation>New Project</translation>
    </message>
    <message>
        <source>Failed to save project to &apos;%1&apos;!</source>
        <translation>Failed to save project to &apos;%1&apos;!</translation>
    </message>
    <message>
        <source>Save Project - Choose Project Configuration file</source>
        <translation>Save Project - Choose Project Configuration file</translation>
    </message>
    <message>
        <source>Failed to parse configuration file!</source>
        <translation>Failed to parse configuration file!</translation>
    </message>
    <message>
        <source>&apos;%1&apos; %2</source>
        <translation>&apos;%1&apos; %2</translation>
    </message>
    <message>
        <source>Choose Project Configuration file</source>
        <translation>Choose Project Configuration file</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Failed to load Trace settings in configuration file!</source>
        <translation>Failed to load Trace settings in configuration file!</translation>
    </message>
    <message>
        <source>The configuration file &apos;%1&apos; cannot be read!</source>
        <translation>The configuration file &apos;%1&apos; cannot be read!</translation>
    </message>
    <message>
        <source>Not well-formed XML at %1
The program runs with its built-in settings (no fixture types, empty histories, traces in the window only) and leaves the file as it is: repair or remove it, then start again.</source>
        <translation>Not well-formed XML at %1
The program runs with its built-in settings (no fixture types, empty histories, traces in the window only) and leaves the file as it is: repair or remove it, then start again.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
</TS>
