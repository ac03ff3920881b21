<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About tracktune</source>
        <translation>Über tracktune</translation>
    </message>
    <message>
        <source>tracktune %1</source>
        <translation>tracktune %1</translation>
    </message>
    <message>
        <source>Shows and changes the settings of an OGN aircraft tracker connected by USB, and updates its firmware.</source>
        <translation>Zeigt und ändert die Einstellungen eines per USB angeschlossenen OGN-Trackers und aktualisiert seine Firmware.</translation>
    </message>
    <message>
        <source>Licence: GNU General Public License, version 3 or later. This program comes with ABSOLUTELY NO WARRANTY; you may share and change it under that licence.</source>
        <translation>Lizenz: GNU General Public License, Version 3 oder später. Dieses Programm kommt OHNE JEDE GEWÄHRLEISTUNG; Sie dürfen es unter dieser Lizenz weitergeben und ändern.</translation>
    </message>
    <message>
        <source>Qt %1 (built with Qt %2)</source>
        <translation>Qt %1 (gebaut mit Qt %2)</translation>
    </message>
    <message>
        <source>Settings saved before a firmware update:</source>
        <translation>Vor einem Firmware-Update gesicherte Einstellungen:</translation>
    </message>
    <message>
        <source>Keyboard:</source>
        <translation>Tastatur:</translation>
    </message>
    <message>
        <source>  %1  this help</source>
        <translation>  %1  diese Hilfe</translation>
    </message>
    <message>
        <source>  %1  read the tracker&apos;s settings again</source>
        <translation>  %1  Einstellungen des Trackers neu lesen</translation>
    </message>
    <message>
        <source>  %1  write the changes to the tracker</source>
        <translation>  %1  Änderungen auf den Tracker schreiben</translation>
    </message>
    <message>
        <source>  Alt + the underlined letter  the button or field it marks</source>
        <translation>  Alt + unterstrichener Buchstabe  die Schaltfläche oder das Feld dazu</translation>
    </message>
    <message>
        <source>  Enter in the table  opens a setting&apos;s list; Escape  closes a dialog</source>
        <translation>  Eingabe in der Tabelle  öffnet die Liste einer Einstellung; Esc  schließt einen Dialog</translation>
    </message>
    <message>
        <source>Firmware folder for the connected tracker: no tracker is connected.</source>
        <translation>Firmware-Ordner für den angeschlossenen Tracker: Es ist kein Tracker angeschlossen.</translation>
    </message>
    <message>
        <source>no board name</source>
        <translation>kein Platinenname</translation>
    </message>
    <message>
        <source>Firmware folder for the connected tracker (%1, %2):</source>
        <translation>Firmware-Ordner für den angeschlossenen Tracker (%1, %2):</translation>
    </message>
    <message>
        <source>chip not known</source>
        <translation>Chip unbekannt</translation>
    </message>
    <message>
        <source>none found for %1</source>
        <translation>keiner gefunden für %1</translation>
    </message>
    <message>
        <source>Firmware folders present:</source>
        <translation>Vorhandene Firmware-Ordner:</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keiner</translation>
    </message>
    <message>
        <source>Your own firmware folders go in:</source>
        <translation>Eigene Firmware-Ordner gehören nach:</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>Firmware update not possible: Unknown hardware.
The tracker names its hardware %1, which is no firmware folder name.</source>
        <translation>Firmware-Update nicht möglich: Unbekannte Hardware.
Der Tracker nennt seine Hardware %1; das ist kein Name eines Firmware-Ordners.</translation>
    </message>
    <message>
        <source>Firmware update not possible: Unknown hardware.
The firmware folder for the hardware %1 leads to %2, outside the firmware folders.</source>
        <translation>Firmware-Update nicht möglich: Unbekannte Hardware.
Der Firmware-Ordner für die Hardware %1 führt nach %2, außerhalb der Firmware-Ordner.</translation>
    </message>
    <message>
        <source>Firmware update not possible: Missing components.</source>
        <translation>Firmware-Update nicht möglich: Fehlende Komponenten.</translation>
    </message>
    <message>
        <source>Firmware update not possible: Unusable argument list.</source>
        <translation>Firmware-Update nicht möglich: Unbrauchbare Argumentliste.</translation>
    </message>
    <message>
        <source>In: %1</source>
        <translation>In: %1</translation>
    </message>
    <message>
        <source>the flasher %1: put it in %2; it comes from %3</source>
        <translation>das Flash-Programm %1: Legen Sie es in %2 ab; es gibt es unter %3</translation>
    </message>
    <message>
        <source>the flasher %1: install it with &quot;pip install esptool&quot; (it is then found on the PATH) or put it in %2; it comes from %3</source>
        <translation>das Flash-Programm %1: Installieren Sie es mit „pip install esptool“ (es wird dann über PATH gefunden) oder legen Sie es in %2 ab; es gibt es unter %3</translation>
    </message>
    <message>
        <source>Missing:</source>
        <translation>Es fehlt:</translation>
    </message>
    <message>
        <source>The tracker firmware for your board (merged.bin, a whole-flash image) is published at %1.</source>
        <translation>Die Tracker-Firmware für Ihre Platine (merged.bin, ein Komplett-Image) wird unter %1 veröffentlicht.</translation>
    </message>
    <message>
        <source>the firmware folder %1, with its argument templates: it comes with the program. Looked in: %2</source>
        <translation>der Firmware-Ordner %1 mit seinen Argumentvorlagen: Er gehört zum Programm. Gesucht in: %2</translation>
    </message>
    <message>
        <source>%1 and %2, the flasher&apos;s argument lists: they come with the program&apos;s firmware folders</source>
        <translation>%1 und %2, die Argumentlisten des Flash-Programms: Sie gehören zu den Firmware-Ordnern des Programms</translation>
    </message>
    <message>
        <source>%1 in %2, the flasher&apos;s argument list for this kind of image: it comes with the program&apos;s firmware folders</source>
        <translation>%1 in %2, die Argumentliste des Flash-Programms für diese Art Image: Sie gehört zu den Firmware-Ordnern des Programms</translation>
    </message>
    <message>
        <source>%1 in %2, which an application image is written beside: it comes with the firmware&apos;s build, or choose the whole-flash image (merged.bin) instead</source>
        <translation>%1 in %2, neben das ein Anwendungs-Image geschrieben wird: Es entsteht beim Bauen der Firmware; oder wählen Sie stattdessen das Komplett-Image (merged.bin)</translation>
    </message>
</context>
<context>
    <name>ImageCheck</name>
    <message>
        <source>no board name</source>
        <translation>kein Platinenname</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>Die Datei ist leer.</translation>
    </message>
    <message>
        <source>The file is %1, larger than any tracker&apos;s flash.</source>
        <translation>Die Datei ist %1 groß, größer als der Flash-Speicher jedes Trackers.</translation>
    </message>
    <message>
        <source>The file is text, not a firmware image: it begins &quot;%1&quot;. Was a web page saved instead of the download?</source>
        <translation>Die Datei ist Text, kein Firmware-Image: Sie beginnt mit „%1“. Wurde statt des Downloads eine Webseite gespeichert?</translation>
    </message>
    <message>
        <source>The file is no ESP firmware image: it does not begin with an image header.</source>
        <translation>Die Datei ist kein ESP-Firmware-Image: Sie beginnt nicht mit einem Image-Kopf.</translation>
    </message>
    <message>
        <source>The file is no ESP firmware image: there is no image header at %1.</source>
        <translation>Die Datei ist kein ESP-Firmware-Image: Bei %1 steht kein Image-Kopf.</translation>
    </message>
    <message>
        <source>The image header at %1 is damaged: it names no usable number of segments.</source>
        <translation>Der Image-Kopf bei %1 ist beschädigt: Er nennt keine brauchbare Anzahl Segmente.</translation>
    </message>
    <message>
        <source>The file is cut short: it has %1 bytes, the image needs at least %2.</source>
        <translation>Die Datei ist abgeschnitten: Sie hat %1 Bytes, das Image braucht mindestens %2.</translation>
    </message>
    <message>
        <source>The image&apos;s checksum at %1 does not match its contents: the file is damaged.</source>
        <translation>Die Prüfsumme des Images bei %1 passt nicht zu seinem Inhalt: Die Datei ist beschädigt.</translation>
    </message>
    <message>
        <source>The image&apos;s SHA-256 at %1 does not match its contents: the file is damaged.</source>
        <translation>Der SHA-256 des Images bei %1 passt nicht zu seinem Inhalt: Die Datei ist beschädigt.</translation>
    </message>
    <message>
        <source>This whole-flash image has its bootloader at %1; an %2 needs it at %3.</source>
        <translation>Dieses Komplett-Image hat seinen Bootloader bei %1; ein %2 braucht ihn bei %3.</translation>
    </message>
    <message>
        <source>This whole-flash image holds parts for different chips.</source>
        <translation>Dieses Komplett-Image enthält Teile für verschiedene Chips.</translation>
    </message>
    <message>
        <source>This is a bootloader alone (for an %1), not the tracker&apos;s firmware.</source>
        <translation>Dies ist nur ein Bootloader (für einen %1), nicht die Firmware des Trackers.</translation>
    </message>
    <message>
        <source>This is a partition table alone, not the tracker&apos;s firmware.</source>
        <translation>Dies ist nur eine Partitionstabelle, nicht die Firmware des Trackers.</translation>
    </message>
    <message>
        <source>The tracker (%1) needs an application image or a whole-flash image (merged.bin).</source>
        <translation>Der Tracker (%1) braucht ein Anwendungs-Image oder ein Komplett-Image (merged.bin).</translation>
    </message>
    <message>
        <source>The tracker (%1) needs an application image or a whole-flash image (merged.bin) for an %2.</source>
        <translation>Der Tracker (%1) braucht ein Anwendungs-Image oder ein Komplett-Image (merged.bin) für einen %2.</translation>
    </message>
    <message>
        <source>This image is for an %1; the tracker (%2) has an %3.</source>
        <translation>Dieses Image ist für einen %1; der Tracker (%2) hat einen %3.</translation>
    </message>
    <message>
        <source>whole-flash image, written from 0x0 (its settings area too)</source>
        <translation>Komplett-Image, ab 0x0 geschrieben (auch über den Einstellungsbereich)</translation>
    </message>
    <message>
        <source>application image, written at 0x10000 beside the folder&apos;s bootloader and partition table</source>
        <translation>Anwendungs-Image, bei 0x10000 geschrieben, neben Bootloader und Partitionstabelle aus dem Ordner</translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation>Art: %1</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>Board: %1</source>
        <translation>Platine: %1</translation>
    </message>
    <message>
        <source>The image names the board %1; the tracker names %2.</source>
        <translation>Das Image nennt die Platine %1; der Tracker nennt %2.</translation>
    </message>
    <message>
        <source>A tracker needs an application image or a whole-flash image (merged.bin).</source>
        <translation>Ein Tracker braucht ein Anwendungs-Image oder ein Komplett-Image (merged.bin).</translation>
    </message>
    <message>
        <source>Chip: %1</source>
        <translation>Chip: %1</translation>
    </message>
</context>
<context>
    <name>KnownParameter</name>
    <message>
        <source>The aircraft&apos;s registration, as other pilots see it</source>
        <translation>Das Kennzeichen des Luftfahrzeugs, wie andere Piloten es sehen</translation>
    </message>
    <message>
        <source>The radio address the tracker sends, in hexadecimal</source>
        <translation>Die Funkadresse, die der Tracker sendet, hexadezimal</translation>
    </message>
    <message>
        <source>Where the radio address comes from</source>
        <translation>Woher die Funkadresse stammt</translation>
    </message>
    <message>
        <source>The kind of aircraft, shown to other pilots</source>
        <translation>Die Art des Luftfahrzeugs, wie sie anderen Piloten angezeigt wird</translation>
    </message>
    <message>
        <source>The radio frequencies of the region you fly in</source>
        <translation>Die Funkfrequenzen der Region, in der Sie fliegen</translation>
    </message>
    <message>
        <source>Which radio protocols the tracker transmits</source>
        <translation>Welche Funkprotokolle der Tracker sendet</translation>
    </message>
    <message>
        <source>The access point of the mobile network, for a tracker with a modem</source>
        <translation>Der Zugangspunkt (APN) des Mobilfunknetzes, für einen Tracker mit Modem</translation>
    </message>
    <message>
        <source>The pilot&apos;s name</source>
        <translation>Der Name des Piloten</translation>
    </message>
    <message>
        <source>The pilot&apos;s licence or number</source>
        <translation>Die Lizenz oder Nummer des Piloten</translation>
    </message>
    <message>
        <source>Who else flies on board</source>
        <translation>Wer sonst an Bord mitfliegt</translation>
    </message>
    <message>
        <source>Whom to call in an emergency (in case of emergency)</source>
        <translation>Wen man im Notfall anruft (Notfallkontakt)</translation>
    </message>
    <message>
        <source>The competition number or call sign</source>
        <translation>Die Wettbewerbskennung oder das Rufzeichen</translation>
    </message>
    <message>
        <source>The competition class</source>
        <translation>Die Wettbewerbsklasse</translation>
    </message>
    <message>
        <source>Who built the aircraft</source>
        <translation>Wer das Luftfahrzeug gebaut hat</translation>
    </message>
    <message>
        <source>The aircraft&apos;s model</source>
        <translation>Das Modell des Luftfahrzeugs</translation>
    </message>
    <message>
        <source>The aircraft&apos;s type designator</source>
        <translation>Die Musterbezeichnung des Luftfahrzeugs</translation>
    </message>
    <message>
        <source>The aircraft&apos;s serial number</source>
        <translation>Die Seriennummer des Luftfahrzeugs</translation>
    </message>
    <message>
        <source>The name the tracker shows to phones over Bluetooth</source>
        <translation>Der Name, den der Tracker Telefonen über Bluetooth zeigt</translation>
    </message>
    <message>
        <source>The key that encrypts the position the tracker sends</source>
        <translation>Der Schlüssel, der die gesendete Position verschlüsselt</translation>
    </message>
    <message>
        <source>The tracker&apos;s hardware, as its firmware names it</source>
        <translation>Die Hardware des Trackers, wie seine Firmware sie nennt</translation>
    </message>
    <message>
        <source>The tracker&apos;s firmware version</source>
        <translation>Die Firmware-Version des Trackers</translation>
    </message>
    <message>
        <source>A temperature correction the tracker prints but does not take</source>
        <translation>Eine Temperaturkorrektur, die der Tracker anzeigt, aber nicht annimmt</translation>
    </message>
    <message>
        <source>The speed of the tracker&apos;s console, the link to this program</source>
        <translation>Die Geschwindigkeit der Konsole des Trackers, der Verbindung zu diesem Programm</translation>
    </message>
    <message>
        <source>Where the tracker uploads its flight logs</source>
        <translation>Wohin der Tracker seine Flugaufzeichnungen hochlädt</translation>
    </message>
    <message>
        <source>Where the tracker fetches a firmware update over Wi-Fi</source>
        <translation>Woher der Tracker ein Firmware-Update über WLAN holt</translation>
    </message>
    <message>
        <source>The competition task</source>
        <translation>Die Wettbewerbsaufgabe</translation>
    </message>
    <message>
        <source>Your home airfield</source>
        <translation>Ihr Heimatflugplatz</translation>
    </message>
    <message>
        <source>Asks the receivers to hide your track (1: hide)</source>
        <translation>Bittet die Empfänger, Ihren Flugweg zu verbergen (1: verbergen)</translation>
    </message>
    <message>
        <source>Transmits your position only while other traffic is heard (0: off)</source>
        <translation>Sendet Ihre Position nur, solange anderer Verkehr zu hören ist (0: aus)</translation>
    </message>
    <message>
        <source>Which data the console sends; no firmware reads it yet</source>
        <translation>Welche Daten die Konsole sendet; noch keine Firmware liest es</translation>
    </message>
    <message>
        <source>The radio is a high-power RFM69HW module (1: yes)</source>
        <translation>Das Funkmodul ist ein starkes RFM69HW (1: ja)</translation>
    </message>
    <message>
        <source>Which radio protocols the tracker listens to</source>
        <translation>Welche Funkprotokolle der Tracker empfängt</translation>
    </message>
    <message>
        <source>Corrects the radio&apos;s crystal, if its frequency is off</source>
        <translation>Korrigiert den Quarz des Funkmoduls, wenn seine Frequenz abweicht</translation>
    </message>
    <message>
        <source>Corrects the barometer&apos;s pressure reading</source>
        <translation>Korrigiert den Druckwert des Barometers</translation>
    </message>
    <message>
        <source>Seconds added to the GPS time, for an autopilot&apos;s clock</source>
        <translation>Sekunden, die zur GPS-Zeit addiert werden, für die Uhr eines Autopiloten</translation>
    </message>
    <message>
        <source>Height of the geoid above the ellipsoid, used when manGeoidSepar is 1</source>
        <translation>Höhe des Geoids über dem Ellipsoid, verwendet wenn manGeoidSepar 1 ist</translation>
    </message>
    <message>
        <source>Use GeoidSepar instead of the GPS&apos;s own value (1: yes)</source>
        <translation>GeoidSepar statt des Werts des GPS verwenden (1: ja)</translation>
    </message>
    <message>
        <source>The GPS&apos;s motion model (6: airborne on u-blox receivers)</source>
        <translation>Das Bewegungsmodell des GPS (6: in der Luft bei u-blox-Empfängern)</translation>
    </message>
    <message>
        <source>GPS fixes per second (0: leave the GPS as it is)</source>
        <translation>GPS-Positionen pro Sekunde (0: GPS unverändert lassen)</translation>
    </message>
    <message>
        <source>Encrypt the position with EncryptKey (1: yes)</source>
        <translation>Die Position mit EncryptKey verschlüsseln (1: ja)</translation>
    </message>
    <message>
        <source>How much extra the console prints (0: nothing)</source>
        <translation>Wie viel die Konsole zusätzlich ausgibt (0: nichts)</translation>
    </message>
    <message>
        <source>Which satellite systems the GPS uses</source>
        <translation>Welche Satellitensysteme das GPS nutzt</translation>
    </message>
    <message>
        <source>Which pages the tracker&apos;s display shows, one bit each</source>
        <translation>Welche Seiten die Anzeige des Trackers zeigt, ein Bit je Seite</translation>
    </message>
    <message>
        <source>The display page shown after switching on</source>
        <translation>Die Seite, die nach dem Einschalten angezeigt wird</translation>
    </message>
    <message>
        <source>Altitude on the display (0: metres, 1: feet)</source>
        <translation>Höhe in der Anzeige (0: Meter, 1: Fuß)</translation>
    </message>
    <message>
        <source>Speed on the display (0: km/h, 1: knots)</source>
        <translation>Geschwindigkeit in der Anzeige (0: km/h, 1: Knoten)</translation>
    </message>
    <message>
        <source>Climb rate on the display (0: m/s, 1: feet per minute)</source>
        <translation>Steigen in der Anzeige (0: m/s, 1: Fuß pro Minute)</translation>
    </message>
    <message>
        <source>How long after the GPS&apos;s time pulse its data arrives</source>
        <translation>Wie lange nach dem Zeitimpuls des GPS seine Daten ankommen</translation>
    </message>
    <message>
        <source>The name of the tracker&apos;s own Wi-Fi network</source>
        <translation>Der Name des eigenen WLANs des Trackers</translation>
    </message>
    <message>
        <source>The password of the tracker&apos;s own Wi-Fi network</source>
        <translation>Das Passwort des eigenen WLANs des Trackers</translation>
    </message>
    <message>
        <source>The port the tracker&apos;s Wi-Fi network sends data on</source>
        <translation>Der Port, auf dem das WLAN des Trackers Daten sendet</translation>
    </message>
    <message>
        <source>The channel of the tracker&apos;s Wi-Fi network</source>
        <translation>Der Kanal des WLANs des Trackers</translation>
    </message>
    <message>
        <source>How strongly the tracker&apos;s Wi-Fi network transmits</source>
        <translation>Wie stark das WLAN des Trackers sendet</translation>
    </message>
    <message>
        <source>The Wi-Fi network of the Stratux the tracker joins</source>
        <translation>Das WLAN des Stratux, mit dem sich der Tracker verbindet</translation>
    </message>
    <message>
        <source>The password of the Stratux&apos;s Wi-Fi network</source>
        <translation>Das Passwort des WLANs des Stratux</translation>
    </message>
    <message>
        <source>The address of the Stratux on its network</source>
        <translation>Die Adresse des Stratux in seinem Netz</translation>
    </message>
    <message>
        <source>The port the tracker sends to the Stratux on</source>
        <translation>Der Port, auf dem der Tracker an den Stratux sendet</translation>
    </message>
    <message>
        <source>How strongly the tracker transmits to the Stratux</source>
        <translation>Wie stark der Tracker an den Stratux sendet</translation>
    </message>
    <message>
        <source>The weakest Stratux signal the tracker stays connected at</source>
        <translation>Das schwächste Stratux-Signal, bei dem der Tracker verbunden bleibt</translation>
    </message>
    <message>
        <source>A Wi-Fi network the tracker joins</source>
        <translation>Ein WLAN, mit dem sich der Tracker verbindet</translation>
    </message>
    <message>
        <source>The password of a Wi-Fi network the tracker joins</source>
        <translation>Das Passwort eines WLANs, mit dem sich der Tracker verbindet</translation>
    </message>
    <message>
        <source>How strongly the tracker transmits; HIGH may be more than your region&apos;s rules allow</source>
        <translation>Wie stark der Tracker sendet; HIGH kann mehr sein, als die Vorschriften Ihrer Region erlauben</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>tracktune - 25.7</source>
        <translation>tracktune - 25.7</translation>
    </message>
    <message>
        <source>Serial &amp;port:</source>
        <translation>Serielle &amp;Schnittstelle:</translation>
    </message>
    <message>
        <source>&amp;Update firmware</source>
        <translation>&amp;Firmware aktualisieren</translation>
    </message>
    <message>
        <source>Serial &amp;Monitor</source>
        <translation>Serieller &amp;Monitor</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Neu lesen</translation>
    </message>
    <message>
        <source>E&amp;xpert mode</source>
        <translation>E&amp;xperte</translation>
    </message>
    <message>
        <source>Sa&amp;ve settings...</source>
        <translation>In Datei s&amp;peichern...</translation>
    </message>
    <message>
        <source>&amp;Load settings...</source>
        <translation>&amp;Datei öffnen...</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>Übe&amp;rnehmen</translation>
    </message>
    <message>
        <source>The firmware loader crashed.</source>
        <translation>Das Firmware-Ladeprogramm ist abgestürzt.</translation>
    </message>
    <message>
        <source>The firmware loader ended with exit code %1.</source>
        <translation>Das Firmware-Ladeprogramm endete mit dem Exit-Code %1.</translation>
    </message>
    <message>
        <source>Binary files (*.bin)</source>
        <translation>Binärdateien (*.bin)</translation>
    </message>
    <message>
        <source>Firmware update</source>
        <translation>Firmware-Update</translation>
    </message>
    <message>
        <source>Firmware update not possible</source>
        <translation>Firmware-Update nicht möglich</translation>
    </message>
    <message>
        <source>An error has occurred during update process.</source>
        <translation>Beim Update ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>Firmware update failed</source>
        <translation>Firmware-Update fehlgeschlagen</translation>
    </message>
    <message>
        <source>Waiting for device...</source>
        <translation>Warte auf Gerät...</translation>
    </message>
    <message>
        <source>Software update in progress...</source>
        <translation>Software-Update läuft...</translation>
    </message>
    <message>
        <source>Writing to device...</source>
        <translation>Schreibe auf das Gerät...</translation>
    </message>
    <message>
        <source>Changes not confirmed: the connection was lost</source>
        <translation>Änderungen nicht bestätigt: Die Verbindung ist abgebrochen</translation>
    </message>
    <message>
        <source>; not sent: %1</source>
        <translation>; nicht gesendet: %1</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Nicht auf den Tracker geschrieben: %1</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Nicht gesendet: %1</translation>
    </message>
    <message>
        <source>Changes saved</source>
        <translation>Auf den Tracker geschrieben</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Neu lesen</translation>
    </message>
    <message>
        <source>Discard the changes not yet applied and read the tracker again?</source>
        <translation>Die noch nicht übernommenen Änderungen verwerfen und den Tracker neu lesen?</translation>
    </message>
    <message>
        <source>Changes not applied</source>
        <translation>Änderungen nicht übernommen</translation>
    </message>
    <message numerus="yes">
        <source>%n change(s) have not been applied to the tracker.</source>
        <translation>
            <numerusform>%n Änderung wurde noch nicht auf den Tracker übernommen.</numerusform>
            <numerusform>%n Änderungen wurden noch nicht auf den Tracker übernommen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Connected to OGN device found on %1</source>
        <translation>Verbunden mit dem OGN-Gerät an %1</translation>
    </message>
    <message>
        <source>Connection closed</source>
        <translation>Verbindung getrennt</translation>
    </message>
    <message>
        <source>Save settings</source>
        <translation>In Datei speichern</translation>
    </message>
    <message>
        <source>Settings files (*.txt)</source>
        <translation>Einstellungsdateien (*.txt)</translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation>Datei nicht gespeichert</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Load settings</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Settings files (*.txt);;All files (*)</source>
        <translation>Einstellungsdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>%1 cannot be loaded: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>These values are not taken:
%1</source>
        <translation>Diese Werte werden nicht übernommen:
%1</translation>
    </message>
    <message>
        <source>The tracker&apos;s settings could not be saved before the update, so it does not start.
%1: %2</source>
        <translation>Die Einstellungen des Trackers konnten vor dem Update nicht gesichert werden, daher wird es nicht gestartet.
%1: %2</translation>
    </message>
    <message>
        <source>Restore settings</source>
        <translation>Einstellungen wiederherstellen</translation>
    </message>
    <message>
        <source>Settings restored</source>
        <translation>Einstellungen wiederhergestellt</translation>
    </message>
    <message>
        <source>Port, hardware, software and address of the tracker</source>
        <translation>Schnittstelle, Hardware, Software und Adresse des Trackers</translation>
    </message>
    <message>
        <source>standard hardware</source>
        <translation>Standard-Hardware</translation>
    </message>
    <message>
        <source>Nothing was flashed.</source>
        <translation>Es wurde nichts geflasht.</translation>
    </message>
    <message>
        <source>while you chose the file</source>
        <translation>während Sie die Datei gewählt haben</translation>
    </message>
    <message>
        <source>while the question was open</source>
        <translation>während die Frage offen war</translation>
    </message>
    <message>
        <source>Firmware update cancelled</source>
        <translation>Firmware-Aktualisierung abgebrochen</translation>
    </message>
    <message>
        <source>The firmware update was cancelled before the loader had finished. The tracker may not start until it is updated again. Its settings were saved before the update.</source>
        <translation>Die Firmware-Aktualisierung wurde abgebrochen, bevor das Ladeprogramm fertig war. Der Tracker startet womöglich erst nach einer erneuten Aktualisierung. Seine Einstellungen wurden vor der Aktualisierung gesichert.</translation>
    </message>
    <message>
        <source>Nothing was read again.</source>
        <translation>Es wurde nichts neu gelesen.</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>The tracker will transmit nothing: other aircraft and the ground stations will not see you. Write it?</source>
        <translation>Der Tracker wird nichts senden: andere Luftfahrzeuge und die Bodenstationen sehen Sie nicht. Trotzdem schreiben?</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>%1: %2 -&gt; %3</source>
        <translation>%1: %2 -&gt; %3</translation>
    </message>
    <message>
        <source>Changed by the tracker</source>
        <translation>Vom Tracker geändert</translation>
    </message>
    <message>
        <source>The tracker changed the aircraft&apos;s identity by itself while the changes were written:
%1

Check the values and set them again if they are wrong.</source>
        <translation>Der Tracker hat beim Schreiben der Änderungen die Identität des Luftfahrzeugs selbst geändert:
%1

Prüfen Sie die Werte und setzen Sie sie neu, falls sie falsch sind.</translation>
    </message>
    <message>
        <source>Firmware update in progress</source>
        <translation>Firmware-Aktualisierung läuft</translation>
    </message>
    <message>
        <source>The firmware update is still running. Close the window once it has ended?</source>
        <translation>Die Firmware-Aktualisierung läuft noch. Das Fenster schließen, sobald sie beendet ist?</translation>
    </message>
    <message>
        <source>Nothing was saved.</source>
        <translation>Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>Nothing was loaded.</source>
        <translation>Es wurde nichts geöffnet.</translation>
    </message>
    <message>
        <source>This file is a template: it names no Address. Take its identity settings too (%1)?</source>
        <translation>Diese Datei ist eine Vorlage: Sie nennt keine Adresse. Auch ihre Identitätseinstellungen übernehmen (%1)?</translation>
    </message>
    <message>
        <source>line %1: </source>
        <translation>Zeile %1: </translation>
    </message>
    <message>
        <source>%1 (a parameter this tracker&apos;s firmware does not have)</source>
        <translation>%1 (ein Parameter, den die Firmware dieses Trackers nicht hat)</translation>
    </message>
    <message>
        <source>%1 (did you mean %2?)</source>
        <translation>%1 (meinten Sie %2?)</translation>
    </message>
    <message>
        <source>The tracker has no parameter of these names; they are skipped:
%1</source>
        <translation>Der Tracker hat keinen Parameter dieser Namen; sie werden übergangen:
%1</translation>
    </message>
    <message>
        <source>while the message was open</source>
        <translation>während die Meldung offen war</translation>
    </message>
    <message>
        <source>The tracker&apos;s settings have not been read, so the update does not start.</source>
        <translation>Die Einstellungen des Trackers wurden nicht gelesen, daher startet die Aktualisierung nicht.</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Restore these settings of the tracker %1 from before the firmware update?

%2</source>
        <translation>Diese Einstellungen des Trackers %1 von vor der Firmware-Aktualisierung wiederherstellen?

%2</translation>
    </message>
    <message>
        <source>The tracker&apos;s list changed %1. %2</source>
        <translation>Die Liste des Trackers hat sich geändert, %1. %2</translation>
    </message>
    <message>
        <source>The tracker changed %1: it started with %2, and %3 is connected now. %4</source>
        <translation>Der Tracker hat gewechselt, %1: Begonnen wurde mit %2, jetzt ist %3 verbunden. %4</translation>
    </message>
    <message>
        <source>Tracker changed</source>
        <translation>Tracker gewechselt</translation>
    </message>
    <message>
        <source>The window closes once the tracker has answered...</source>
        <translation>Das Fenster schließt sich, sobald der Tracker geantwortet hat...</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>Nothing to write: the tracker already holds these values</source>
        <translation>Nichts zu schreiben: Der Tracker hat diese Werte bereits</translation>
    </message>
    <message>
        <source>Not every change was saved</source>
        <translation>Nicht alle Änderungen wurden auf den Tracker geschrieben</translation>
    </message>
    <message>
        <source>changed by the tracker: %1</source>
        <translation>vom Tracker geändert: %1</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>In Datei gespeichert</translation>
    </message>
    <message>
        <source>Settings saved to:</source>
        <translation>In Datei gespeichert:</translation>
    </message>
    <message numerus="yes">
        <source>%n setting(s) loaded: Apply writes them to the tracker. From:</source>
        <translation>
            <numerusform>%n Einstellung geöffnet: „Übernehmen“ schreibt sie auf den Tracker. Aus:</numerusform>
            <numerusform>%n Einstellungen geöffnet: „Übernehmen“ schreibt sie auf den Tracker. Aus:</numerusform>
        </translation>
    </message>
    <message>
        <source>The tracker already holds the settings of this file:</source>
        <translation>Der Tracker hat bereits die Einstellungen dieser Datei:</translation>
    </message>
    <message>
        <source>Nothing loaded from:</source>
        <translation>Nichts übernommen aus:</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>S&amp;uchen:</translation>
    </message>
    <message>
        <source>Shows the rows whose name or description holds every word typed here (Ctrl+F)</source>
        <translation>Zeigt die Zeilen, deren Name oder Beschreibung jedes hier eingegebene Wort enthält (Strg+F)</translation>
    </message>
    <message>
        <source>Name or description</source>
        <translation>Name oder Beschreibung</translation>
    </message>
    <message>
        <source>Shows only the rows changed and not yet applied</source>
        <translation>Zeigt nur die geänderten, noch nicht übernommenen Zeilen</translation>
    </message>
    <message>
        <source>&amp;Changed only</source>
        <translation>Nur &amp;geänderte</translation>
    </message>
    <message>
        <source>Settings saved to: %1</source>
        <translation>Einstellungen gesichert in: %1</translation>
    </message>
    <message>
        <source>What now: unplug the tracker, plug it in again and start the update once more. Its settings from before are saved in %1 in the backups folder; once the update has worked they are offered back.</source>
        <translation>Was nun: Tracker abziehen, wieder anstecken und das Update noch einmal starten. Seine bisherigen Einstellungen sind in %1 im Sicherungsordner gesichert; sobald das Update gelungen ist, werden sie wieder angeboten.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keins</translation>
    </message>
    <message>
        <source>Its settings are saved first, to %1 in the backups folder.</source>
        <translation>Seine Einstellungen werden zuerst in %1 im Sicherungsordner gesichert.</translation>
    </message>
    <message>
        <source>Keep the tracker plugged in until the update has finished.</source>
        <translation>Lassen Sie den Tracker angesteckt, bis das Update fertig ist.</translation>
    </message>
    <message>
        <source>Install only firmware from a trusted source.</source>
        <translation>Installieren Sie nur Firmware aus vertrauenswürdiger Quelle.</translation>
    </message>
    <message>
        <source>The firmware loader could not be started, so the tracker was not changed.</source>
        <translation>Das Firmware-Ladeprogramm konnte nicht gestartet werden; der Tracker wurde nicht verändert.</translation>
    </message>
    <message>
        <source>What now: check that the firmware folder&apos;s loader may be run, then try again. The tracker&apos;s settings are saved in %1 in the backups folder.</source>
        <translation>Was nun: Prüfen Sie, ob das Ladeprogramm im Firmware-Ordner ausführbar ist, und versuchen Sie es erneut. Die Einstellungen des Trackers sind in %1 im Sicherungsordner gesichert.</translation>
    </message>
    <message>
        <source>A&amp;bout</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message numerus="yes">
        <source>The %n change(s) not yet applied are not saved: the file gets what the tracker holds.</source>
        <translation>
            <numerusform>Die %n noch nicht übernommene Änderung wird nicht gespeichert: Die Datei erhält, was der Tracker hat.</numerusform>
            <numerusform>Die %n noch nicht übernommenen Änderungen werden nicht gespeichert: Die Datei erhält, was der Tracker hat.</numerusform>
        </translation>
    </message>
    <message>
        <source>Changes pending: %1</source>
        <translation>Ausstehende Änderungen: %1</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Serielle Schnittstelle</translation>
    </message>
    <message>
        <source>Discard the changes not yet applied and connect to %1?</source>
        <translation>Die noch nicht übernommenen Änderungen verwerfen und mit %1 verbinden?</translation>
    </message>
    <message numerus="yes">
        <source>Another tracker is connected (%1): the %n change(s) not yet applied to %2 were discarded.</source>
        <translation>
            <numerusform>Ein anderer Tracker ist verbunden (%1): Die %n noch nicht übernommene Änderung für %2 wurde verworfen.</numerusform>
            <numerusform>Ein anderer Tracker ist verbunden (%1): Die %n noch nicht übernommenen Änderungen für %2 wurden verworfen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>After the firmware update, the %n change(s) not yet applied were discarded: the update may have reset the settings they were made on.</source>
        <translation>
            <numerusform>Nach dem Firmware-Update wurde die %n noch nicht übernommene Änderung verworfen: Das Update hat die Einstellungen, auf denen sie beruht, womöglich zurückgesetzt.</numerusform>
            <numerusform>Nach dem Firmware-Update wurden die %n noch nicht übernommenen Änderungen verworfen: Das Update hat die Einstellungen, auf denen sie beruhen, womöglich zurückgesetzt.</numerusform>
        </translation>
    </message>
    <message>
        <source>The same tracker is back.</source>
        <translation>Derselbe Tracker ist wieder da.</translation>
    </message>
    <message numerus="yes">
        <source>The same tracker is back: %n change(s) not yet applied are marked again.</source>
        <translation>
            <numerusform>Derselbe Tracker ist wieder da: %n noch nicht übernommene Änderung ist wieder markiert.</numerusform>
            <numerusform>Derselbe Tracker ist wieder da: %n noch nicht übernommene Änderungen sind wieder markiert.</numerusform>
        </translation>
    </message>
    <message>
        <source>No longer pending, as the tracker holds the value or lacks the parameter: %1.</source>
        <translation>Nicht mehr offen, da der Tracker den Wert schon hat oder den Parameter nicht mehr kennt: %1.</translation>
    </message>
    <message>
        <source>%1

The tracker does not show those digits, so this may change a setting you cannot see. Write it?</source>
        <translation>%1

Der Tracker zeigt diese Stellen nicht an; so kann sich eine Einstellung ändern, die Sie nicht sehen. Schreiben?</translation>
    </message>
    <message numerus="yes">
        <source>%1: written as %2; the tracker shows only its last %n digit(s)</source>
        <translation>
            <numerusform>%1: als %2 geschrieben; der Tracker zeigt nur seine letzte Stelle</numerusform>
            <numerusform>%1: als %2 geschrieben; der Tracker zeigt nur seine letzten %n Stellen</numerusform>
        </translation>
    </message>
    <message>
        <source>This file is from another aircraft (address %1, registration %2); this tracker has address %3, registration %4. Take its identity too (%5)? No leaves these as the tracker has them.</source>
        <translation>Diese Datei stammt von einem anderen Luftfahrzeug (Adresse %1, Kennzeichen %2); dieser Tracker hat Adresse %3, Kennzeichen %4. Auch seine Identität übernehmen (%5)? Nein lässt diese Werte, wie der Tracker sie hat.</translation>
    </message>
    <message>
        <source>No tracker found yet. Check that the tracker is switched on and that its USB cable and adapter are plugged in, and that no other program (a serial terminal, another configurator) holds its port.</source>
        <translation>Noch kein Tracker gefunden. Prüfen Sie, ob der Tracker eingeschaltet ist, ob USB-Kabel und Adapter eingesteckt sind und ob kein anderes Programm (ein serielles Terminal, ein anderes Konfigurationsprogramm) seine Schnittstelle belegt.</translation>
    </message>
    <message>
        <source>On Linux your user must be in the &quot;dialout&quot; group (log in again after adding it).</source>
        <translation>Unter Linux muss Ihr Benutzer in der Gruppe „dialout“ sein (nach dem Hinzufügen neu anmelden).</translation>
    </message>
    <message>
        <source>The system lists no serial port.</source>
        <translation>Das System meldet keine serielle Schnittstelle.</translation>
    </message>
    <message>
        <source>Ports the system lists: %1.</source>
        <translation>Vom System gemeldete Schnittstellen: %1.</translation>
    </message>
    <message>
        <source>Status output</source>
        <translation>Statusausgabe</translation>
    </message>
    <message>
        <source>The tracker prints its status only while Verbose is on. Write Verbose = %1 to the tracker?</source>
        <translation>Der Tracker gibt seinen Status nur aus, solange Verbose eingeschaltet ist. Verbose = %1 auf den Tracker schreiben?</translation>
    </message>
    <message>
        <source>tracker</source>
        <translation>Tracker</translation>
    </message>
    <message>
        <source>Select firmware file for the %1</source>
        <translation>Firmware-Datei für %1 auswählen</translation>
    </message>
    <message>
        <source>Select firmware file for the %1 (%2)</source>
        <translation>Firmware-Datei für %1 (%2) auswählen</translation>
    </message>
    <message>
        <source>Firmware image refused</source>
        <translation>Firmware-Image abgelehnt</translation>
    </message>
    <message>
        <source>The file %1 could not be read: %2</source>
        <translation>Die Datei %1 ließ sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>%1 was not written to the tracker.</source>
        <translation>%1 wurde nicht auf den Tracker geschrieben.</translation>
    </message>
    <message>
        <source>A whole-flash image rewrites the tracker&apos;s settings: they are offered back once the tracker is found again.</source>
        <translation>Ein Komplett-Image überschreibt die Einstellungen des Trackers: Sie werden wieder angeboten, sobald der Tracker wieder gefunden ist.</translation>
    </message>
    <message numerus="yes">
        <source>Discard the %n change(s) not yet saved or applied and open another file?</source>
        <translation>
            <numerusform>Die %n noch nicht gespeicherte oder übernommene Änderung verwerfen und eine andere Datei öffnen?</numerusform>
            <numerusform>Die %n noch nicht gespeicherten oder übernommenen Änderungen verwerfen und eine andere Datei öffnen?</numerusform>
        </translation>
    </message>
    <message>
        <source>A tracker was connected while you chose the file, and nothing was loaded. Load the file again to compare it with the tracker:</source>
        <translation>Während Sie die Datei gewählt haben, wurde ein Tracker verbunden; es wurde nichts geöffnet. Öffnen Sie die Datei erneut, um sie mit dem Tracker zu vergleichen:</translation>
    </message>
    <message>
        <source>No tracker is connected: the table shows the file. Edit it and save it with Save settings; once a tracker is connected, the rows where it differs are marked and Apply writes them. File:</source>
        <translation>Kein Tracker verbunden: Die Tabelle zeigt die Datei. Bearbeiten Sie sie und speichern Sie sie mit „In Datei speichern“; sobald ein Tracker verbunden ist, werden die abweichenden Zeilen markiert, und „Übernehmen“ schreibt sie auf den Tracker. Datei:</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Datei: %1</translation>
    </message>
    <message>
        <source>Left as the tracker has them, as the file is another aircraft&apos;s or a template: %1. Load the file again to be asked about them.</source>
        <translation>So belassen, wie der Tracker sie hat, da die Datei von einem anderen Luftfahrzeug stammt oder eine Vorlage ist: %1. Öffnen Sie die Datei erneut, um danach gefragt zu werden.</translation>
    </message>
    <message>
        <source>Not taken: %1.</source>
        <translation>Nicht übernommen: %1.</translation>
    </message>
    <message>
        <source>The tracker already holds the settings of this file.</source>
        <translation>Der Tracker hat die Einstellungen dieser Datei bereits.</translation>
    </message>
    <message numerus="yes">
        <source>The file was compared with the tracker: %n row(s) differ and are marked; Apply writes them.</source>
        <translation>
            <numerusform>Die Datei wurde mit dem Tracker verglichen: %n Zeile weicht ab und ist markiert; „Übernehmen“ schreibt sie auf den Tracker.</numerusform>
            <numerusform>Die Datei wurde mit dem Tracker verglichen: %n Zeilen weichen ab und sind markiert; „Übernehmen“ schreibt sie auf den Tracker.</numerusform>
        </translation>
    </message>
    <message>
        <source>File:</source>
        <translation>Datei:</translation>
    </message>
    <message>
        <source>Changes not saved</source>
        <translation>Änderungen nicht gespeichert</translation>
    </message>
    <message numerus="yes">
        <source>%n change(s) to %1 have not been saved.</source>
        <translation>
            <numerusform>%n Änderung an %1 wurde nicht gespeichert.</numerusform>
            <numerusform>%n Änderungen an %1 wurden nicht gespeichert.</numerusform>
        </translation>
    </message>
    <message>
        <source>Check &amp;OGN</source>
        <translation>&amp;OGN prüfen</translation>
    </message>
    <message>
        <source>Asks the OGN network whether it knows this tracker and hears it</source>
        <translation>Fragt das OGN-Netz, ob es diesen Tracker kennt und empfängt</translation>
    </message>
    <message>
        <source>The tracker&apos;s list has no Address: there is nothing to check.</source>
        <translation>Die Liste des Trackers enthält keine Address: es gibt nichts zu prüfen.</translation>
    </message>
    <message>
        <source>Check OGN</source>
        <translation>OGN prüfen</translation>
    </message>
    <message>
        <source>Check OGN sends the tracker&apos;s address, %1, and nothing else, to the OGN devices database (%2) and to the OGN APRS server (%3). Both are public servers on the internet. Send it?</source>
        <translation>„OGN prüfen“ sendet die Adresse des Trackers, %1, und sonst nichts an die OGN-Gerätedatenbank (%2) und an den OGN-APRS-Server (%3). Beide sind öffentliche Server im Internet. Senden?</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The tracker changed during the check: it started with %1, and %2 is connected now. The check stopped.</source>
        <translation>Der Tracker hat während der Prüfung gewechselt: sie begann mit %1, jetzt ist %2 verbunden. Die Prüfung wurde beendet.</translation>
    </message>
    <message>
        <source>Write the firmware image %1 (%2, %3) to the tracker %4 (%5, hardware %6)?</source>
        <translation>Das Firmware-Image %1 (%2, %3) auf den Tracker %4 (%5, Hardware %6) schreiben?</translation>
    </message>
    <message>
        <source>no registration</source>
        <translation>kein Kennzeichen</translation>
    </message>
    <message>
        <source>registration %1</source>
        <translation>Kennzeichen %1</translation>
    </message>
    <message>
        <source>Image: %1
The settings will first be saved to: %2</source>
        <translation>Image: %1
Die Einstellungen werden zuerst gesichert in: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) match</source>
        <translation>
            <numerusform>%n Zeile passt</numerusform>
            <numerusform>%n Zeilen passen</numerusform>
        </translation>
    </message>
    <message>
        <source>port %1</source>
        <translation>Port %1</translation>
    </message>
    <message>
        <source>hardware %1</source>
        <translation>Hardware %1</translation>
    </message>
    <message>
        <source>software %1</source>
        <translation>Software %1</translation>
    </message>
    <message>
        <source>address %1</source>
        <translation>Adresse %1</translation>
    </message>
    <message>
        <source>Tracker: %1</source>
        <translation>Tracker: %1</translation>
    </message>
    <message>
        <source>Nothing was saved to %1: a tracker was connected while you chose the file.</source>
        <translation>Nichts wurde in %1 gespeichert: Während Sie die Datei wählten, wurde ein Tracker angeschlossen.</translation>
    </message>
</context>
<context>
    <name>MessageBar</name>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Close this message</source>
        <translation>Diese Meldung schließen</translation>
    </message>
    <message>
        <source>Outcome: %1</source>
        <translation>Ergebnis: %1</translation>
    </message>
</context>
<context>
    <name>OgnCheckDialog</name>
    <message>
        <source>Check OGN</source>
        <translation>OGN prüfen</translation>
    </message>
    <message>
        <source>OGN devices database</source>
        <translation>OGN-Gerätedatenbank</translation>
    </message>
    <message>
        <source>Beacons received by OGN stations</source>
        <translation>Von OGN-Stationen empfangene Baken</translation>
    </message>
    <message>
        <source>Time (UTC)</source>
        <translation>Zeit (UTC)</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Frequency offset</source>
        <translation>Frequenzabweichung</translation>
    </message>
    <message>
        <source>Relayed</source>
        <translation>Weitergeleitet</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Stopped: nothing more is sent.</source>
        <translation>Beendet: es wird nichts mehr gesendet.</translation>
    </message>
    <message>
        <source>The APRS server could not be heard: %1</source>
        <translation>Der APRS-Server war nicht zu erreichen: %1</translation>
    </message>
    <message>
        <source>The check stopped.</source>
        <translation>Die Prüfung wurde beendet.</translation>
    </message>
    <message>
        <source>Checks address %1. Sends this address, and nothing else, to the OGN devices database (%2) and to the OGN APRS server (%3).</source>
        <translation>Prüft die Adresse %1. Sendet diese Adresse und sonst nichts an die OGN-Gerätedatenbank (%2) und an den OGN-APRS-Server (%3).</translation>
    </message>
    <message>
        <source>Asking the OGN devices database...</source>
        <translation>Frage die OGN-Gerätedatenbank...</translation>
    </message>
    <message>
        <source>Not received in %1 s. Likely reasons, the most likely first:</source>
        <translation>In %1 s nicht empfangen. Wahrscheinliche Gründe, der wahrscheinlichste zuerst:</translation>
    </message>
    <message>
        <source>Check finished.</source>
        <translation>Prüfung abgeschlossen.</translation>
    </message>
    <message>
        <source>Listening for the tracker&apos;s beacons: %1 s left</source>
        <translation>Horche auf die Baken des Trackers: noch %1 s</translation>
    </message>
    <message>
        <source>Received by %1, %2</source>
        <translation>Empfangen von %1, %2</translation>
    </message>
</context>
<context>
    <name>Options</name>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>(Moto-)glider</source>
        <translation>(Motor-)Segler</translation>
    </message>
    <message>
        <source>Tow plane</source>
        <translation>Schleppflugzeug</translation>
    </message>
    <message>
        <source>Helicopter</source>
        <translation>Hubschrauber</translation>
    </message>
    <message>
        <source>Parachute</source>
        <translation>Fallschirm</translation>
    </message>
    <message>
        <source>Drop plane</source>
        <translation>Absetzflugzeug</translation>
    </message>
    <message>
        <source>hang-glider</source>
        <translation>Hängegleiter</translation>
    </message>
    <message>
        <source>Para-glider</source>
        <translation>Gleitschirm</translation>
    </message>
    <message>
        <source>Powered aircraft</source>
        <translation>Motorflugzeug</translation>
    </message>
    <message>
        <source>Jet aircraft</source>
        <translation>Strahlflugzeug</translation>
    </message>
    <message>
        <source>UFO</source>
        <translation>UFO</translation>
    </message>
    <message>
        <source>Balloon</source>
        <translation>Ballon</translation>
    </message>
    <message>
        <source>Airship</source>
        <translation>Luftschiff</translation>
    </message>
    <message>
        <source>UAV</source>
        <translation>Drohne (UAV)</translation>
    </message>
    <message>
        <source>Ground support</source>
        <translation>Bodenfahrzeug</translation>
    </message>
    <message>
        <source>Static object</source>
        <translation>Hindernis</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Zufällig</translation>
    </message>
    <message>
        <source>ICAO</source>
        <translation>ICAO</translation>
    </message>
    <message>
        <source>FLARM</source>
        <translation>FLARM</translation>
    </message>
    <message>
        <source>OGN</source>
        <translation>OGN</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>Europe</source>
        <translation>Europa</translation>
    </message>
    <message>
        <source>USA/Canada</source>
        <translation>USA/Kanada</translation>
    </message>
    <message>
        <source>South America /Australia</source>
        <translation>Südamerika/Australien</translation>
    </message>
    <message>
        <source>LOW</source>
        <translation>NIEDRIG</translation>
    </message>
    <message>
        <source>NORMAL</source>
        <translation>NORMAL</translation>
    </message>
    <message>
        <source>HIGH</source>
        <translation>HOCH</translation>
    </message>
    <message>
        <source>ADS-L</source>
        <translation>ADS-L</translation>
    </message>
    <message>
        <source>PilotAware</source>
        <translation>PilotAware</translation>
    </message>
    <message>
        <source>FANET</source>
        <translation>FANET</translation>
    </message>
    <message>
        <source>RemoteID</source>
        <translation>RemoteID</translation>
    </message>
    <message>
        <source>New Zealand</source>
        <translation>Neuseeland</translation>
    </message>
    <message>
        <source>Israel</source>
        <translation>Israel</translation>
    </message>
    <message>
        <source>LoRaWAN</source>
        <translation>LoRaWAN</translation>
    </message>
    <message>
        <source>ADS-B</source>
        <translation>ADS-B</translation>
    </message>
    <message>
        <source>Meshtastic</source>
        <translation>Meshtastic</translation>
    </message>
    <message>
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message>
        <source>SBAS</source>
        <translation>SBAS</translation>
    </message>
    <message>
        <source>Galileo</source>
        <translation>Galileo</translation>
    </message>
    <message>
        <source>BeiDou</source>
        <translation>BeiDou</translation>
    </message>
    <message>
        <source>IMES</source>
        <translation>IMES</translation>
    </message>
    <message>
        <source>QZSS</source>
        <translation>QZSS</translation>
    </message>
    <message>
        <source>GLONASS</source>
        <translation>GLONASS</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
</context>
<context>
    <name>ParameterLabel</name>
    <message>
        <source>Registration</source>
        <translation>Kennzeichen</translation>
    </message>
    <message>
        <source>Radio address</source>
        <translation>Funkadresse</translation>
    </message>
    <message>
        <source>Address type</source>
        <translation>Adresstyp</translation>
    </message>
    <message>
        <source>Aircraft type</source>
        <translation>Luftfahrzeugtyp</translation>
    </message>
    <message>
        <source>Transmit power</source>
        <translation>Sendeleistung</translation>
    </message>
    <message>
        <source>Frequency plan</source>
        <translation>Frequenzplan</translation>
    </message>
    <message>
        <source>Protocols sent</source>
        <translation>Gesendete Protokolle</translation>
    </message>
    <message>
        <source>Mobile access point</source>
        <translation>Mobilfunk-Zugangspunkt</translation>
    </message>
    <message>
        <source>Pilot</source>
        <translation>Pilot</translation>
    </message>
    <message>
        <source>Pilot ID</source>
        <translation>Piloten-ID</translation>
    </message>
    <message>
        <source>Crew</source>
        <translation>Besatzung</translation>
    </message>
    <message>
        <source>Emergency contact</source>
        <translation>Notfallkontakt</translation>
    </message>
    <message>
        <source>Competition ID</source>
        <translation>Wettbewerbskennung</translation>
    </message>
    <message>
        <source>Competition class</source>
        <translation>Wettbewerbsklasse</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>Aircraft model</source>
        <translation>Luftfahrzeugmodell</translation>
    </message>
    <message>
        <source>Type designator</source>
        <translation>Musterbezeichnung</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <source>Home airfield</source>
        <translation>Heimatflugplatz</translation>
    </message>
    <message>
        <source>Bluetooth name</source>
        <translation>Bluetooth-Name</translation>
    </message>
    <message>
        <source>Encryption key</source>
        <translation>Schlüssel</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Firmware version</source>
        <translation>Firmware-Version</translation>
    </message>
    <message>
        <source>Temperature correction</source>
        <translation>Temperaturkorrektur</translation>
    </message>
    <message>
        <source>Console speed</source>
        <translation>Konsolengeschwindigkeit</translation>
    </message>
    <message>
        <source>Hide my track</source>
        <translation>Flugweg verbergen</translation>
    </message>
    <message>
        <source>Ghost mode</source>
        <translation>Geistermodus</translation>
    </message>
    <message>
        <source>Console protocols</source>
        <translation>Konsolenprotokolle</translation>
    </message>
    <message>
        <source>High-power radio</source>
        <translation>Starkes Funkmodul</translation>
    </message>
    <message>
        <source>Protocols received</source>
        <translation>Empfangene Protokolle</translation>
    </message>
    <message>
        <source>Frequency correction</source>
        <translation>Frequenzkorrektur</translation>
    </message>
    <message>
        <source>Pressure correction</source>
        <translation>Druckkorrektur</translation>
    </message>
    <message>
        <source>Time correction</source>
        <translation>Zeitkorrektur</translation>
    </message>
    <message>
        <source>Geoid separation</source>
        <translation>Geoidabstand</translation>
    </message>
    <message>
        <source>Manual geoid separation</source>
        <translation>Geoidabstand von Hand</translation>
    </message>
    <message>
        <source>GPS motion model</source>
        <translation>GPS-Bewegungsmodell</translation>
    </message>
    <message>
        <source>GPS fix rate</source>
        <translation>GPS-Positionsrate</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Verschlüsselung</translation>
    </message>
    <message>
        <source>Console output</source>
        <translation>Konsolenausgabe</translation>
    </message>
    <message>
        <source>Satellite systems</source>
        <translation>Satellitensysteme</translation>
    </message>
    <message>
        <source>Display pages</source>
        <translation>Anzeigeseiten</translation>
    </message>
    <message>
        <source>First display page</source>
        <translation>Erste Anzeigeseite</translation>
    </message>
    <message>
        <source>Altitude unit</source>
        <translation>Höheneinheit</translation>
    </message>
    <message>
        <source>Speed unit</source>
        <translation>Geschwindigkeitseinheit</translation>
    </message>
    <message>
        <source>Climb rate unit</source>
        <translation>Steigeinheit</translation>
    </message>
    <message>
        <source>GPS data delay</source>
        <translation>GPS-Datenverzögerung</translation>
    </message>
    <message>
        <source>Wi-Fi name</source>
        <translation>WLAN-Name</translation>
    </message>
    <message>
        <source>Wi-Fi password</source>
        <translation>WLAN-Passwort</translation>
    </message>
    <message>
        <source>Wi-Fi data port</source>
        <translation>WLAN-Datenport</translation>
    </message>
    <message>
        <source>Wi-Fi channel</source>
        <translation>WLAN-Kanal</translation>
    </message>
    <message>
        <source>Wi-Fi power</source>
        <translation>WLAN-Leistung</translation>
    </message>
    <message>
        <source>Stratux Wi-Fi</source>
        <translation>Stratux-WLAN</translation>
    </message>
    <message>
        <source>Stratux password</source>
        <translation>Stratux-Passwort</translation>
    </message>
    <message>
        <source>Stratux address</source>
        <translation>Stratux-Adresse</translation>
    </message>
    <message>
        <source>Stratux port</source>
        <translation>Stratux-Port</translation>
    </message>
    <message>
        <source>Stratux Wi-Fi power</source>
        <translation>Stratux-WLAN-Leistung</translation>
    </message>
    <message>
        <source>Stratux minimum signal</source>
        <translation>Stratux-Mindestsignal</translation>
    </message>
    <message>
        <source>Log upload address</source>
        <translation>Adresse für Flugaufzeichnungen</translation>
    </message>
    <message>
        <source>Firmware download address</source>
        <translation>Adresse für Firmware-Downloads</translation>
    </message>
    <message>
        <source>Wi-Fi network</source>
        <translation>WLAN-Netz</translation>
    </message>
    <message>
        <source>Wi-Fi network password</source>
        <translation>WLAN-Netz-Passwort</translation>
    </message>
</context>
<context>
    <name>ParameterNameDelegate</name>
    <message>
        <source>%1 · %2</source>
        <translation>%1 · %2</translation>
    </message>
</context>
<context>
    <name>ParameterSearch</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>ParameterTable</name>
    <message>
        <source>Reading the tracker...</source>
        <translation>Tracker wird gelesen...</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Tracker&apos;s note: %1</source>
        <translation>Hinweis des Trackers: %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keins</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1 (%2 %3)</source>
        <translation>%1 (%2 %3)</translation>
    </message>
    <message>
        <source>%1 (in %2)</source>
        <translation>%1 (in %2)</translation>
    </message>
    <message>
        <source>changed, not yet applied</source>
        <translation>geändert, noch nicht übernommen</translation>
    </message>
    <message>
        <source>Tracker settings</source>
        <translation>Tracker-Einstellungen</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>geändert</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Firmware update</source>
        <translation>Firmware-Update</translation>
    </message>
    <message>
        <source>Initiating firmware update...</source>
        <translation>Firmware-Update wird gestartet...</translation>
    </message>
    <message>
        <source>Writing to the device. Please wait...</source>
        <translation>Schreibe auf das Gerät. Bitte warten...</translation>
    </message>
    <message>
        <source>Firmware update finished</source>
        <translation>Firmware-Update abgeschlossen</translation>
    </message>
    <message>
        <source>Firmware update failed</source>
        <translation>Firmware-Update fehlgeschlagen</translation>
    </message>
    <message>
        <source>Stop the firmware update</source>
        <translation>Firmware-Aktualisierung abbrechen</translation>
    </message>
    <message>
        <source>Stop the firmware loader now? The tracker may not start until it is updated again.</source>
        <translation>Das Ladeprogramm der Firmware jetzt abbrechen? Der Tracker startet womöglich erst nach einer erneuten Aktualisierung.</translation>
    </message>
    <message>
        <source>Firmware update cancelled</source>
        <translation>Firmware-Aktualisierung abgebrochen</translation>
    </message>
    <message>
        <source>Firmware loader output</source>
        <translation>Ausgabe des Firmware-Laders</translation>
    </message>
    <message>
        <source>Firmware update progress</source>
        <translation>Fortschritt der Firmware-Aktualisierung</translation>
    </message>
</context>
<context>
    <name>SerialMonitor</name>
    <message>
        <source>Serial monitor</source>
        <translation>Serieller Monitor</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Waiting for connection...</source>
        <translation>Warte auf Verbindung...</translation>
    </message>
    <message>
        <source>Clean</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>Save what the tracker sent</source>
        <translation>Speichern, was der Tracker gesendet hat</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message>
        <source>The text could not be written to %1:
%2</source>
        <translation>Der Text konnte nicht in %1 geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>What the tracker sent</source>
        <translation>Was der Tracker gesendet hat</translation>
    </message>
</context>
<context>
    <name>StatusPanel</name>
    <message>
        <source>Tracker status</source>
        <translation>Tracker-Status</translation>
    </message>
    <message>
        <source>Switch status output on...</source>
        <translation>Statusausgabe einschalten...</translation>
    </message>
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
    <message>
        <source>GPS: 2-D fix</source>
        <translation>GPS: 2D-Position</translation>
    </message>
    <message>
        <source>GPS: fix</source>
        <translation>GPS: Position</translation>
    </message>
    <message numerus="yes">
        <source>GPS: 2-D fix, %n satellite(s)</source>
        <translation>
            <numerusform>GPS: 2D-Position, %n Satellit</numerusform>
            <numerusform>GPS: 2D-Position, %n Satelliten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>GPS: 3-D fix, %n satellite(s)</source>
        <translation>
            <numerusform>GPS: 3D-Position, %n Satellit</numerusform>
            <numerusform>GPS: 3D-Position, %n Satelliten</numerusform>
        </translation>
    </message>
    <message>
        <source>, HDOP %1</source>
        <translation>, HDOP %1</translation>
    </message>
    <message>
        <source>GPS: nothing heard</source>
        <translation>GPS: nichts empfangen</translation>
    </message>
    <message>
        <source>GPS: nothing heard yet</source>
        <translation>GPS: noch nichts empfangen</translation>
    </message>
    <message>
        <source>GPS: no fix</source>
        <translation>GPS: keine Position</translation>
    </message>
    <message>
        <source>GPS: fix lost %1 ago</source>
        <translation>GPS: Position vor %1 verloren</translation>
    </message>
    <message>
        <source>GPS: no fix yet (its date is not valid)</source>
        <translation>GPS: noch keine Position (sein Datum ist ungültig)</translation>
    </message>
    <message>
        <source>GPS: no fix: the antenna needs open sky</source>
        <translation>GPS: keine Position: die Antenne braucht freien Himmel</translation>
    </message>
    <message>
        <source>Radio: transmitting</source>
        <translation>Funk: sendet</translation>
    </message>
    <message numerus="yes">
        <source>Radio: transmitting (OGN, %n packet(s) in the last %1 s)</source>
        <translation>
            <numerusform>Funk: sendet (OGN, %n Paket in den letzten %1 s)</numerusform>
            <numerusform>Funk: sendet (OGN, %n Pakete in den letzten %1 s)</numerusform>
        </translation>
    </message>
    <message>
        <source>Radio: not transmitting</source>
        <translation>Funk: sendet nicht</translation>
    </message>
    <message>
        <source>Radio: not transmitting: no OGN packet sent in the last %1 s</source>
        <translation>Funk: sendet nicht: kein OGN-Paket in den letzten %1 s</translation>
    </message>
    <message>
        <source>Radio: nothing heard</source>
        <translation>Funk: nichts empfangen</translation>
    </message>
    <message>
        <source>Radio: nothing heard yet</source>
        <translation>Funk: noch nichts empfangen</translation>
    </message>
    <message>
        <source>Radio: transmit status not printed</source>
        <translation>Funk: Sendestatus nicht ausgegeben</translation>
    </message>
    <message>
        <source>Radio: transmit status not printed by this firmware</source>
        <translation>Funk: diese Firmware gibt keinen Sendestatus aus</translation>
    </message>
    <message>
        <source>Radio: waiting for its report</source>
        <translation>Funk: wartet auf seinen Bericht</translation>
    </message>
    <message>
        <source>Radio: waiting for its report (every 10 s)</source>
        <translation>Funk: wartet auf seinen Bericht (alle 10 s)</translation>
    </message>
    <message>
        <source>Battery: good</source>
        <translation>Akku: gut</translation>
    </message>
    <message>
        <source>Battery: low</source>
        <translation>Akku: schwach</translation>
    </message>
    <message>
        <source>Battery: %1 V</source>
        <translation>Akku: %1 V</translation>
    </message>
    <message>
        <source>Battery: not measured</source>
        <translation>Akku: nicht gemessen</translation>
    </message>
    <message>
        <source>Battery: not read</source>
        <translation>Akku: nicht gelesen</translation>
    </message>
    <message>
        <source>Battery: not measured by this board</source>
        <translation>Akku: von dieser Platine nicht gemessen</translation>
    </message>
    <message>
        <source>Battery: not read yet</source>
        <translation>Akku: noch nicht gelesen</translation>
    </message>
    <message>
        <source>Pressure sensor: found</source>
        <translation>Drucksensor: vorhanden</translation>
    </message>
    <message>
        <source>Pressure sensor: found, %1 hPa</source>
        <translation>Drucksensor: vorhanden, %1 hPa</translation>
    </message>
    <message>
        <source>Pressure sensor: none found</source>
        <translation>Drucksensor: keiner gefunden</translation>
    </message>
    <message>
        <source>Pressure sensor: not reported</source>
        <translation>Drucksensor: nicht gemeldet</translation>
    </message>
    <message>
        <source>The tracker prints no status while Verbose is off.</source>
        <translation>Der Tracker gibt keinen Status aus, solange Verbose ausgeschaltet ist.</translation>
    </message>
    <message>
        <source>The tracker prints nothing continuous at the moment.</source>
        <translation>Der Tracker gibt zurzeit nichts laufend aus.</translation>
    </message>
    <message numerus="yes">
        <source>; receiving %n packet(s) a minute</source>
        <translation>
            <numerusform>; empfängt %n Paket pro Minute</numerusform>
            <numerusform>; empfängt %n Pakete pro Minute</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tracktune</name>
    <message>
        <source>no parameter name</source>
        <translation>kein Parametername</translation>
    </message>
    <message>
        <source>no blank, comma, =, $, * or control character in a name</source>
        <translation>kein Leerzeichen, Komma, =, $, * oder Steuerzeichen in einem Namen</translation>
    </message>
    <message>
        <source>no blank, comma, $, * or control character in a value</source>
        <translation>kein Leerzeichen, Komma, $, * oder Steuerzeichen in einem Wert</translation>
    </message>
    <message>
        <source>%1 is in use by another program</source>
        <translation>%1 wird von einem anderen Programm benutzt</translation>
    </message>
    <message>
        <source>Not permitted to open %1: add your user to the dialout group, then log in again</source>
        <translation>Keine Berechtigung, %1 zu öffnen: Fügen Sie Ihren Benutzer der Gruppe dialout hinzu und melden Sie sich neu an</translation>
    </message>
    <message>
        <source>Not permitted to open %1</source>
        <translation>Keine Berechtigung, %1 zu öffnen</translation>
    </message>
    <message>
        <source>line %1 is not &quot;Name = Value&quot;: %2</source>
        <translation>Zeile %1 hat nicht die Form „Name = Wert“: %2</translation>
    </message>
    <message>
        <source>%1 takes %2</source>
        <translation>%1 nimmt %2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; could be any of: %3</source>
        <translation>%1: „%2“ kann jedes davon sein: %3</translation>
    </message>
    <message>
        <source>%1 or one of: %2</source>
        <translation>%1 oder eines von: %2</translation>
    </message>
    <message>
        <source>a signed number or one of: %1</source>
        <translation>eine Zahl mit Vorzeichen oder eines von: %1</translation>
    </message>
    <message>
        <source>a hexadecimal mask or names separated by commas: %1</source>
        <translation>eine hexadezimale Maske oder durch Kommas getrennte Namen: %1</translation>
    </message>
    <message>
        <source>CONbaud: only 115200 is written, the speed this program talks at; another speed would cut the link</source>
        <translation>CONbaud: Nur 115200 wird geschrieben, die Geschwindigkeit dieses Programms; eine andere würde die Verbindung trennen</translation>
    </message>
    <message>
        <source>larger than %1</source>
        <translation>größer als %1</translation>
    </message>
    <message>
        <source>a NUL byte on line %1</source>
        <translation>ein NUL-Byte in Zeile %1</translation>
    </message>
    <message>
        <source>not UTF-8 text</source>
        <translation>kein UTF-8-Text</translation>
    </message>
    <message>
        <source>no tracker</source>
        <translation>kein Tracker</translation>
    </message>
    <message>
        <source>a tracker without an address</source>
        <translation>ein Tracker ohne Adresse</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 an %2</translation>
    </message>
    <message>
        <source>The port closed while the tracker&apos;s list was read</source>
        <translation>Der Anschluss wurde geschlossen, während die Liste des Trackers gelesen wurde</translation>
    </message>
    <message>
        <source>The device did not answer</source>
        <translation>Das Gerät hat nicht geantwortet</translation>
    </message>
    <message>
        <source>The device&apos;s answer was too short to be a list</source>
        <translation>Die Antwort des Geräts war zu kurz für eine Liste</translation>
    </message>
    <message>
        <source>The device printed no list in time</source>
        <translation>Das Gerät hat nicht rechtzeitig eine Liste ausgegeben</translation>
    </message>
    <message>
        <source>four groups of 8 hexadecimal digits separated by &quot;:&quot;</source>
        <translation>vier Gruppen aus 8 Hexadezimalziffern, getrennt durch „:“</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; cannot be stored: the tracker takes only letters A-Z, digits and . @ + - _ / #%3 and would cut the text there</source>
        <translation>%1: „%2“ kann nicht gespeichert werden: Der Tracker nimmt nur Buchstaben A-Z, Ziffern und . @ + - _ / #%3 und würde den Text dort abschneiden</translation>
    </message>
    <message>
        <source>%1: at most %2 characters (this is %3)</source>
        <translation>%1: höchstens %2 Zeichen (dies sind %3)</translation>
    </message>
    <message>
        <source>%1 hexadecimal digits</source>
        <translation>%1 Hexadezimalziffern</translation>
    </message>
    <message>
        <source>too long: the tracker takes at most %1 characters in a sentence, this would be %2</source>
        <translation>zu lang: der Tracker nimmt höchstens %1 Zeichen in einem Satz, dieser hätte %2</translation>
    </message>
    <message>
        <source>the port did not open within %1 s</source>
        <translation>der Anschluss hat sich nicht innerhalb von %1 s geöffnet</translation>
    </message>
    <message>
        <source>%1: this tracker&apos;s firmware has no %2; it takes: %3</source>
        <translation>%1: die Firmware dieses Trackers kennt kein %2; sie nimmt: %3</translation>
    </message>
    <message>
        <source>%1: the tracker keeps quarters and cannot show %2; it can show %3</source>
        <translation>%1: der Tracker speichert Viertel und kann %2 nicht anzeigen; er kann %3 anzeigen</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>no answer from %1 within %2 s</source>
        <translation>keine Antwort von %1 innerhalb von %2 s</translation>
    </message>
    <message>
        <source>%1 closed the connection</source>
        <translation>%1 hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>cannot reach %1: %2</source>
        <translation>%1 nicht erreichbar: %2</translation>
    </message>
    <message>
        <source>%1 answered more than one address&apos;s entries</source>
        <translation>%1 antwortete mit Einträgen mehrerer Adressen</translation>
    </message>
    <message>
        <source>%1 answered HTTP %2</source>
        <translation>%1 antwortete mit HTTP %2</translation>
    </message>
    <message>
        <source>%1 answered something that is not a device list</source>
        <translation>%1 antwortete mit etwas, das keine Geräteliste ist</translation>
    </message>
    <message>
        <source>type %1</source>
        <translation>Typ %1</translation>
    </message>
    <message>
        <source>AddrType=0 (random) changes the address after each landing: a database entry cannot follow it</source>
        <translation>AddrType=0 (zufällig) ändert die Adresse nach jeder Landung: ein Datenbankeintrag kann ihr nicht folgen</translation>
    </message>
    <message>
        <source>the database registers %1 as %2, the tracker sends it as %3 (AddrType=%4)</source>
        <translation>die Datenbank führt %1 als %2, der Tracker sendet sie als %3 (AddrType=%4)</translation>
    </message>
    <message>
        <source>this address is registered to another aircraft: %1 in the database, Reg=%2 on the tracker</source>
        <translation>diese Adresse ist für ein anderes Luftfahrzeug registriert: %1 in der Datenbank, Reg=%2 im Tracker</translation>
    </message>
    <message>
        <source>(hidden or blank)</source>
        <translation>(verborgen oder leer)</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <source>%1 kHz</source>
        <translation>%1 kHz</translation>
    </message>
    <message>
        <source>by %1</source>
        <translation>von %1</translation>
    </message>
    <message>
        <source>%1 UTC  received by %2</source>
        <translation>%1 UTC  empfangen von %2</translation>
    </message>
    <message>
        <source>status: %1</source>
        <translation>Status: %1</translation>
    </message>
    <message>
        <source>info: %1</source>
        <translation>Info: %1</translation>
    </message>
    <message>
        <source>relayed by %1</source>
        <translation>weitergeleitet von %1</translation>
    </message>
    <message>
        <source>Not received in %1 s. Likely reasons: no OGN receiver in range (on the ground few are), no GPS fix yet (no position goes out without one), transmitting switched off (TxProtMask, TxPower) or a large frequency offset (FreqCorr).</source>
        <translation>In %1 s nicht empfangen. Wahrscheinliche Gründe: kein OGN-Empfänger in Reichweite (am Boden gibt es wenige), noch kein GPS-Fix (ohne ihn wird keine Position gesendet), Senden abgeschaltet (TxProtMask, TxPower) oder eine große Frequenzabweichung (FreqCorr).</translation>
    </message>
    <message>
        <source>Received by 1 station in %1 s</source>
        <translation>In %1 s von 1 Station empfangen</translation>
    </message>
    <message>
        <source>Received by %1 stations in %2 s</source>
        <translation>In %2 s von %1 Stationen empfangen</translation>
    </message>
    <message>
        <source>, best %1 dB</source>
        <translation>, bestes Signal %1 dB</translation>
    </message>
    <message>
        <source>; frequency offset %1 kHz</source>
        <translation>; Frequenzabweichung %1 kHz</translation>
    </message>
    <message>
        <source>: consider FreqCorr</source>
        <translation>: FreqCorr erwägen</translation>
    </message>
    <message>
        <source>No GPS fix yet: no position goes out without one.</source>
        <translation>Noch kein GPS-Fix: ohne ihn wird keine Position gesendet.</translation>
    </message>
    <message>
        <source>No GPS fix: the tracker says it has none, and no position goes out without one.</source>
        <translation>Kein GPS-Fix: der Tracker meldet keinen, und ohne ihn wird keine Position gesendet.</translation>
    </message>
    <message>
        <source>Not transmitting: the tracker&apos;s count of packets sent does not rise (TxProtMask, TxPower).</source>
        <translation>Sendet nicht: der Zähler gesendeter Pakete des Trackers steigt nicht (TxProtMask, TxPower).</translation>
    </message>
    <message>
        <source>No OGN receiver in range: on the ground few are.</source>
        <translation>Kein OGN-Empfänger in Reichweite: am Boden gibt es wenige.</translation>
    </message>
    <message>
        <source>The frequency plan (FreqPlan) does not suit the region, or the frequency offset is large (FreqCorr).</source>
        <translation>Der Frequenzplan (FreqPlan) passt nicht zur Region, oder die Frequenzabweichung ist groß (FreqCorr).</translation>
    </message>
    <message>
        <source>OGN devices database: no answer (%1)</source>
        <translation>OGN-Gerätedatenbank: keine Antwort (%1)</translation>
    </message>
    <message>
        <source>OGN devices database</source>
        <translation>OGN-Gerätedatenbank</translation>
    </message>
    <message>
        <source>(cached answer, %1 h old)</source>
        <translation>(zwischengespeicherte Antwort, %1 h alt)</translation>
    </message>
    <message>
        <source>(cached answer, %1 h old; %2)</source>
        <translation>(zwischengespeicherte Antwort, %1 h alt; %2)</translation>
    </message>
    <message>
        <source>%1: %2 is not registered</source>
        <translation>%1: %2 ist nicht registriert</translation>
    </message>
    <message>
        <source>%1: %2 is registered as %3</source>
        <translation>%1: %2 ist als %3 registriert</translation>
    </message>
    <message>
        <source>registration %1, model %2, CN %3</source>
        <translation>Kennzeichen %1, Muster %2, WBK %3</translation>
    </message>
    <message>
        <source>tracked: %1, identified: %2</source>
        <translation>verfolgt: %1, identifiziert: %2</translation>
    </message>
    <message>
        <source>mismatch: %1</source>
        <translation>Abweichung: %1</translation>
    </message>
    <message>
        <source>Transmitting may be switched off (TxProtMask, TxPower).</source>
        <translation>Das Senden ist womöglich abgeschaltet (TxProtMask, TxPower).</translation>
    </message>
</context>
</TS>
