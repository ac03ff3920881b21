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
        <source>%1: written as %2; the tracker shows only its last %n digit(s)</source>
        <translation>
            <numerusform>%1: written as %2; the tracker shows only its last digit</numerusform>
            <numerusform>%1: written as %2; the tracker shows only its last %n digits</numerusform>
        </translation>
    </message>
</context>
</TS>
