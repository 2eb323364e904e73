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
</TS>
