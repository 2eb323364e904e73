<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>SystemSelect</name>
    <message>
        <source>System Selection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Links available for the Lantrel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet settings:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP to use: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>History of recently used adresses:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Offline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to open connexion with VPU!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Traces</name>
    <message>
        <source>Traces</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Welcome</name>
    <message>
        <source>Company Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Company Information File &apos;%1&apos;!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to open traduction file &apos;%1&apos;!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Graphical User Interface in &apos;English&apos; language.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolBox</name>
    <message>
        <source>Upload Configuration From VPU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download Configuration to VPU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch fixture enumeration on VPU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset Fixtures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Fixtures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete selected Fixtures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Zelvor</name>
    <message>
        <source>Offline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Online : Connected to &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to initialize communication with VPU!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to open connexion with VPU!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
