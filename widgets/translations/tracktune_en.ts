<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>MainWindow</name>
    <message numerus="yes">
        <source>%n change(s) have not been applied to the tracker.</source>
        <translation>
            <numerusform>%n change has not been applied to the tracker.</numerusform>
            <numerusform>%n changes have not been applied to the tracker.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n setting(s) loaded: Apply writes them to the tracker. From:</source>
        <translation>
            <numerusform>%n setting loaded: Apply writes it to the tracker. From:</numerusform>
            <numerusform>%n settings loaded: Apply writes them to the tracker. From:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The %n change(s) not yet applied are not saved: the file gets what the tracker holds.</source>
        <translation>
            <numerusform>The %n change not yet applied is not saved: the file gets what the tracker holds.</numerusform>
            <numerusform>The %n changes not yet applied are not saved: the file gets what the tracker holds.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Another tracker is connected (%1): the %n change(s) not yet applied to %2 were discarded.</source>
        <translation>
            <numerusform>Another tracker is connected (%1): the %n change not yet applied to %2 was discarded.</numerusform>
            <numerusform>Another tracker is connected (%1): the %n changes not yet applied to %2 were discarded.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>After the firmware update, the %n change(s) not yet applied were discarded: the update may have reset the settings they were made on.</source>
        <translation>
            <numerusform>After the firmware update, the %n change not yet applied was discarded: the update may have reset the settings it was made on.</numerusform>
            <numerusform>After the firmware update, the %n changes not yet applied were discarded: the update may have reset the settings they were made on.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The same tracker is back: %n change(s) not yet applied are marked again.</source>
        <translation>
            <numerusform>The same tracker is back: %n change not yet applied is marked again.</numerusform>
            <numerusform>The same tracker is back: %n changes not yet applied are marked again.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: written as %2; the tracker shows only its last %n digit(s)</source>
        <translation>
            <numerusform>%1: written as %2; the tracker shows only its last digit</numerusform>
            <numerusform>%1: written as %2; the tracker shows only its last %n digits</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Discard the %n change(s) not yet saved or applied and open another file?</source>
        <translation>
            <numerusform>Discard the change not yet saved or applied and open another file?</numerusform>
            <numerusform>Discard the %n changes not yet saved or applied and open another file?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The file was compared with the tracker: %n row(s) differ and are marked; Apply writes them.</source>
        <translation>
            <numerusform>The file was compared with the tracker: %n row differs and is marked; Apply writes it.</numerusform>
            <numerusform>The file was compared with the tracker: %n rows differ and are marked; Apply writes them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n change(s) to %1 have not been saved.</source>
        <translation>
            <numerusform>%n change to %1 has not been saved.</numerusform>
            <numerusform>%n changes to %1 have not been saved.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) match</source>
        <translation>
            <numerusform>%n row matches</numerusform>
            <numerusform>%n rows match</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StatusPanel</name>
    <message numerus="yes">
        <source>%n s</source>
        <translation>
            <numerusform>%n s</numerusform>
            <numerusform>%n s</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n min</source>
        <translation>
            <numerusform>%n min</numerusform>
            <numerusform>%n min</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>GPS: 2-D fix, %n satellite(s)</source>
        <translation>
            <numerusform>GPS: 2-D fix, %n satellite</numerusform>
            <numerusform>GPS: 2-D fix, %n satellites</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>GPS: 3-D fix, %n satellite(s)</source>
        <translation>
            <numerusform>GPS: 3-D fix, %n satellite</numerusform>
            <numerusform>GPS: 3-D fix, %n satellites</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Radio: transmitting (OGN, %n packet(s) in the last %1 s)</source>
        <translation>
            <numerusform>Radio: transmitting (OGN, %n packet in the last %1 s)</numerusform>
            <numerusform>Radio: transmitting (OGN, %n packets in the last %1 s)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; receiving %n packet(s) a minute</source>
        <translation>
            <numerusform>; receiving %n packet a minute</numerusform>
            <numerusform>; receiving %n packets a minute</numerusform>
        </translation>
    </message>
</context>
</TS>
