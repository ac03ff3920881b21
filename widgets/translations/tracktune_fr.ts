<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About tracktune</source>
        <translation>À propos de tracktune</translation>
    </message>
    <message>
        <source>tracktune %1</source>
        <translation>tracktune %1</translation>
    </message>
    <message>
        <source>Shows and changes the settings of an OGN aircraft tracker connected by USB, and updates its firmware.</source>
        <translation>Affiche et modifie les réglages d’un tracker OGN branché en USB, et met à jour son firmware.</translation>
    </message>
    <message>
        <source>Licence: GNU General Public License, version 3 or later. This program comes with ABSOLUTELY NO WARRANTY; you may share and change it under that licence.</source>
        <translation>Licence : GNU General Public License, version 3 ou ultérieure. Ce programme est fourni SANS AUCUNE GARANTIE ; vous pouvez le partager et le modifier selon cette licence.</translation>
    </message>
    <message>
        <source>Qt %1 (built with Qt %2)</source>
        <translation>Qt %1 (compilé avec Qt %2)</translation>
    </message>
    <message>
        <source>Settings saved before a firmware update:</source>
        <translation>Réglages enregistrés avant une mise à jour du firmware :</translation>
    </message>
    <message>
        <source>Keyboard:</source>
        <translation>Clavier :</translation>
    </message>
    <message>
        <source>  %1  this help</source>
        <translation>  %1  cette aide</translation>
    </message>
    <message>
        <source>  %1  read the tracker&apos;s settings again</source>
        <translation>  %1  relire les réglages du tracker</translation>
    </message>
    <message>
        <source>  %1  write the changes to the tracker</source>
        <translation>  %1  écrire les modifications dans le tracker</translation>
    </message>
    <message>
        <source>  Alt + the underlined letter  the button or field it marks</source>
        <translation>  Alt + la lettre soulignée  le bouton ou le champ qu’elle désigne</translation>
    </message>
    <message>
        <source>  Enter in the table  opens a setting&apos;s list; Escape  closes a dialog</source>
        <translation>  Entrée dans le tableau  ouvre la liste d’un réglage ; Échap  ferme une fenêtre de dialogue</translation>
    </message>
    <message>
        <source>Firmware folder for the connected tracker: no tracker is connected.</source>
        <translation>Dossier du micrologiciel pour le tracker connecté : aucun tracker n’est connecté.</translation>
    </message>
    <message>
        <source>no board name</source>
        <translation>pas de nom de carte</translation>
    </message>
    <message>
        <source>Firmware folder for the connected tracker (%1, %2):</source>
        <translation>Dossier du micrologiciel pour le tracker connecté (%1, %2) :</translation>
    </message>
    <message>
        <source>chip not known</source>
        <translation>puce inconnue</translation>
    </message>
    <message>
        <source>none found for %1</source>
        <translation>aucun trouvé pour %1</translation>
    </message>
    <message>
        <source>Firmware folders present:</source>
        <translation>Dossiers de micrologiciel présents :</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>Your own firmware folders go in:</source>
        <translation>Vos propres dossiers de micrologiciel vont dans :</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>Firmware update not possible: Unknown hardware.
The tracker names its hardware %1, which is no firmware folder name.</source>
        <translation>Mise à jour du firmware impossible&#xa0;: matériel inconnu.
Le tracker indique le matériel %1, qui n&apos;est pas un nom de dossier de firmware.</translation>
    </message>
    <message>
        <source>Firmware update not possible: Unknown hardware.
The firmware folder for the hardware %1 leads to %2, outside the firmware folders.</source>
        <translation>Mise à jour du firmware impossible&#xa0;: matériel inconnu.
Le dossier de firmware du matériel %1 mène à %2, hors des dossiers de firmware.</translation>
    </message>
    <message>
        <source>Firmware update not possible: Missing components.</source>
        <translation>Mise à jour du firmware impossible&#xa0;: composants manquants.</translation>
    </message>
    <message>
        <source>Firmware update not possible: Unusable argument list.</source>
        <translation>Mise à jour du firmware impossible&#xa0;: liste d&apos;arguments inutilisable.</translation>
    </message>
    <message>
        <source>In: %1</source>
        <translation>Dans&#xa0;: %1</translation>
    </message>
    <message>
        <source>the flasher %1: put it in %2; it comes from %3</source>
        <translation>le programme de flashage %1 : placez-le dans %2 ; il est disponible sur %3</translation>
    </message>
    <message>
        <source>the flasher %1: install it with &quot;pip install esptool&quot; (it is then found on the PATH) or put it in %2; it comes from %3</source>
        <translation>le programme de flashage %1 : installez-le avec « pip install esptool » (il est alors trouvé par le PATH) ou placez-le dans %2 ; il est disponible sur %3</translation>
    </message>
    <message>
        <source>Missing:</source>
        <translation>Manquant :</translation>
    </message>
    <message>
        <source>The tracker firmware for your board (merged.bin, a whole-flash image) is published at %1.</source>
        <translation>Le micrologiciel du tracker pour votre carte (merged.bin, une image complète) est publié sur %1.</translation>
    </message>
    <message>
        <source>the firmware folder %1, with its argument templates: it comes with the program. Looked in: %2</source>
        <translation>le dossier du micrologiciel %1, avec ses modèles d’arguments : il est fourni avec le programme. Cherché dans : %2</translation>
    </message>
    <message>
        <source>%1 and %2, the flasher&apos;s argument lists: they come with the program&apos;s firmware folders</source>
        <translation>%1 et %2, les listes d’arguments du programme de flashage : elles sont fournies avec les dossiers du micrologiciel du programme</translation>
    </message>
    <message>
        <source>%1 in %2, the flasher&apos;s argument list for this kind of image: it comes with the program&apos;s firmware folders</source>
        <translation>%1 dans %2, la liste d’arguments du programme de flashage pour ce type d’image : elle est fournie avec les dossiers du micrologiciel du programme</translation>
    </message>
    <message>
        <source>%1 in %2, which an application image is written beside: it comes with the firmware&apos;s build, or choose the whole-flash image (merged.bin) instead</source>
        <translation>%1 dans %2, à côté duquel une image d’application est écrite : il provient de la compilation du micrologiciel ; ou choisissez plutôt l’image complète (merged.bin)</translation>
    </message>
</context>
<context>
    <name>ImageCheck</name>
    <message>
        <source>no board name</source>
        <translation>pas de nom de carte</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>Le fichier est vide.</translation>
    </message>
    <message>
        <source>The file is %1, larger than any tracker&apos;s flash.</source>
        <translation>Le fichier fait %1, plus que la mémoire flash de tout tracker.</translation>
    </message>
    <message>
        <source>The file is text, not a firmware image: it begins &quot;%1&quot;. Was a web page saved instead of the download?</source>
        <translation>Le fichier est du texte, pas une image de micrologiciel : il commence par « %1 ». Une page web a-t-elle été enregistrée à la place du téléchargement ?</translation>
    </message>
    <message>
        <source>The file is no ESP firmware image: it does not begin with an image header.</source>
        <translation>Le fichier n’est pas une image de micrologiciel ESP : il ne commence pas par un en-tête d’image.</translation>
    </message>
    <message>
        <source>The file is no ESP firmware image: there is no image header at %1.</source>
        <translation>Le fichier n’est pas une image de micrologiciel ESP : il n’y a pas d’en-tête d’image à %1.</translation>
    </message>
    <message>
        <source>The image header at %1 is damaged: it names no usable number of segments.</source>
        <translation>L’en-tête d’image à %1 est endommagé : il n’indique pas de nombre de segments utilisable.</translation>
    </message>
    <message>
        <source>The file is cut short: it has %1 bytes, the image needs at least %2.</source>
        <translation>Le fichier est tronqué : il a %1 octets, l’image en demande au moins %2.</translation>
    </message>
    <message>
        <source>The image&apos;s checksum at %1 does not match its contents: the file is damaged.</source>
        <translation>La somme de contrôle de l’image à %1 ne correspond pas à son contenu : le fichier est endommagé.</translation>
    </message>
    <message>
        <source>The image&apos;s SHA-256 at %1 does not match its contents: the file is damaged.</source>
        <translation>Le SHA-256 de l’image à %1 ne correspond pas à son contenu : le fichier est endommagé.</translation>
    </message>
    <message>
        <source>This whole-flash image has its bootloader at %1; an %2 needs it at %3.</source>
        <translation>Cette image complète a son chargeur d’amorçage à %1 ; un %2 l’attend à %3.</translation>
    </message>
    <message>
        <source>This whole-flash image holds parts for different chips.</source>
        <translation>Cette image complète contient des parties pour des puces différentes.</translation>
    </message>
    <message>
        <source>This is a bootloader alone (for an %1), not the tracker&apos;s firmware.</source>
        <translation>Ceci n’est qu’un chargeur d’amorçage (pour un %1), pas le micrologiciel du tracker.</translation>
    </message>
    <message>
        <source>This is a partition table alone, not the tracker&apos;s firmware.</source>
        <translation>Ceci n’est qu’une table de partitions, pas le micrologiciel du tracker.</translation>
    </message>
    <message>
        <source>The tracker (%1) needs an application image or a whole-flash image (merged.bin).</source>
        <translation>Le tracker (%1) demande une image d’application ou une image complète (merged.bin).</translation>
    </message>
    <message>
        <source>The tracker (%1) needs an application image or a whole-flash image (merged.bin) for an %2.</source>
        <translation>Le tracker (%1) demande une image d’application ou une image complète (merged.bin) pour un %2.</translation>
    </message>
    <message>
        <source>This image is for an %1; the tracker (%2) has an %3.</source>
        <translation>Cette image est pour un %1 ; le tracker (%2) a un %3.</translation>
    </message>
    <message>
        <source>whole-flash image, written from 0x0 (its settings area too)</source>
        <translation>image complète, écrite à partir de 0x0 (zone des réglages comprise)</translation>
    </message>
    <message>
        <source>application image, written at 0x10000 beside the folder&apos;s bootloader and partition table</source>
        <translation>image d’application, écrite à 0x10000 à côté du chargeur d’amorçage et de la table de partitions du dossier</translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation>Type : %1</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version : %1</translation>
    </message>
    <message>
        <source>Board: %1</source>
        <translation>Carte : %1</translation>
    </message>
    <message>
        <source>The image names the board %1; the tracker names %2.</source>
        <translation>L’image nomme la carte %1 ; le tracker nomme %2.</translation>
    </message>
    <message>
        <source>A tracker needs an application image or a whole-flash image (merged.bin).</source>
        <translation>Un tracker demande une image d’application ou une image complète (merged.bin).</translation>
    </message>
    <message>
        <source>Chip: %1</source>
        <translation>Puce : %1</translation>
    </message>
</context>
<context>
    <name>KnownParameter</name>
    <message>
        <source>The aircraft&apos;s registration, as other pilots see it</source>
        <translation>L&apos;immatriculation de l&apos;aéronef, telle que la voient les autres pilotes</translation>
    </message>
    <message>
        <source>The radio address the tracker sends, in hexadecimal</source>
        <translation>L&apos;adresse radio émise par le tracker, en hexadécimal</translation>
    </message>
    <message>
        <source>Where the radio address comes from</source>
        <translation>L&apos;origine de l&apos;adresse radio</translation>
    </message>
    <message>
        <source>The kind of aircraft, shown to other pilots</source>
        <translation>Le type d&apos;aéronef, affiché aux autres pilotes</translation>
    </message>
    <message>
        <source>The radio frequencies of the region you fly in</source>
        <translation>Les fréquences radio de la région où vous volez</translation>
    </message>
    <message>
        <source>Which radio protocols the tracker transmits</source>
        <translation>Les protocoles radio émis par le tracker</translation>
    </message>
    <message>
        <source>The access point of the mobile network, for a tracker with a modem</source>
        <translation>Le point d&apos;accès (APN) du réseau mobile, pour un tracker avec modem</translation>
    </message>
    <message>
        <source>The pilot&apos;s name</source>
        <translation>Le nom du pilote</translation>
    </message>
    <message>
        <source>The pilot&apos;s licence or number</source>
        <translation>La licence ou le numéro du pilote</translation>
    </message>
    <message>
        <source>Who else flies on board</source>
        <translation>Qui d&apos;autre vole à bord</translation>
    </message>
    <message>
        <source>Whom to call in an emergency (in case of emergency)</source>
        <translation>Qui appeler en cas d&apos;urgence (contact d&apos;urgence)</translation>
    </message>
    <message>
        <source>The competition number or call sign</source>
        <translation>Le numéro de concours ou l&apos;indicatif</translation>
    </message>
    <message>
        <source>The competition class</source>
        <translation>La classe de compétition</translation>
    </message>
    <message>
        <source>Who built the aircraft</source>
        <translation>Le constructeur de l&apos;aéronef</translation>
    </message>
    <message>
        <source>The aircraft&apos;s model</source>
        <translation>Le modèle de l&apos;aéronef</translation>
    </message>
    <message>
        <source>The aircraft&apos;s type designator</source>
        <translation>La désignation de type de l&apos;aéronef</translation>
    </message>
    <message>
        <source>The aircraft&apos;s serial number</source>
        <translation>Le numéro de série de l&apos;aéronef</translation>
    </message>
    <message>
        <source>The name the tracker shows to phones over Bluetooth</source>
        <translation>Le nom que le traceur montre aux téléphones par Bluetooth</translation>
    </message>
    <message>
        <source>The key that encrypts the position the tracker sends</source>
        <translation>La clé qui chiffre la position envoyée par le traceur</translation>
    </message>
    <message>
        <source>The tracker&apos;s hardware, as its firmware names it</source>
        <translation>Le matériel du traceur, tel que son micrologiciel le nomme</translation>
    </message>
    <message>
        <source>The tracker&apos;s firmware version</source>
        <translation>La version du micrologiciel du traceur</translation>
    </message>
    <message>
        <source>A temperature correction the tracker prints but does not take</source>
        <translation>Une correction de température que le traceur affiche mais n&apos;accepte pas</translation>
    </message>
    <message>
        <source>The speed of the tracker&apos;s console, the link to this program</source>
        <translation>La vitesse de la console du traceur, la liaison avec ce programme</translation>
    </message>
    <message>
        <source>Where the tracker uploads its flight logs</source>
        <translation>Où le tracker envoie ses journaux de vol</translation>
    </message>
    <message>
        <source>Where the tracker fetches a firmware update over Wi-Fi</source>
        <translation>Où le tracker cherche une mise à jour du firmware par Wi-Fi</translation>
    </message>
    <message>
        <source>The competition task</source>
        <translation>L&apos;épreuve du concours</translation>
    </message>
    <message>
        <source>Your home airfield</source>
        <translation>Votre aérodrome d&apos;attache</translation>
    </message>
    <message>
        <source>Asks the receivers to hide your track (1: hide)</source>
        <translation>Demande aux récepteurs de cacher votre trace (1 : cacher)</translation>
    </message>
    <message>
        <source>Transmits your position only while other traffic is heard (0: off)</source>
        <translation>N&apos;émet votre position que si un autre trafic est entendu (0 : désactivé)</translation>
    </message>
    <message>
        <source>Which data the console sends; no firmware reads it yet</source>
        <translation>Les données que la console envoie ; aucun firmware ne le lit encore</translation>
    </message>
    <message>
        <source>The radio is a high-power RFM69HW module (1: yes)</source>
        <translation>La radio est un module RFM69HW de forte puissance (1 : oui)</translation>
    </message>
    <message>
        <source>Which radio protocols the tracker listens to</source>
        <translation>Les protocoles radio que le tracker écoute</translation>
    </message>
    <message>
        <source>Corrects the radio&apos;s crystal, if its frequency is off</source>
        <translation>Corrige le quartz de la radio si sa fréquence dérive</translation>
    </message>
    <message>
        <source>Corrects the barometer&apos;s pressure reading</source>
        <translation>Corrige la pression lue par le baromètre</translation>
    </message>
    <message>
        <source>Seconds added to the GPS time, for an autopilot&apos;s clock</source>
        <translation>Secondes ajoutées à l&apos;heure GPS, pour l&apos;horloge d&apos;un pilote automatique</translation>
    </message>
    <message>
        <source>Height of the geoid above the ellipsoid, used when manGeoidSepar is 1</source>
        <translation>Hauteur du géoïde au-dessus de l&apos;ellipsoïde, utilisée si manGeoidSepar vaut 1</translation>
    </message>
    <message>
        <source>Use GeoidSepar instead of the GPS&apos;s own value (1: yes)</source>
        <translation>Utiliser GeoidSepar au lieu de la valeur du GPS (1 : oui)</translation>
    </message>
    <message>
        <source>The GPS&apos;s motion model (6: airborne on u-blox receivers)</source>
        <translation>Le modèle de mouvement du GPS (6 : en vol sur les récepteurs u-blox)</translation>
    </message>
    <message>
        <source>GPS fixes per second (0: leave the GPS as it is)</source>
        <translation>Positions GPS par seconde (0 : laisser le GPS tel quel)</translation>
    </message>
    <message>
        <source>Encrypt the position with EncryptKey (1: yes)</source>
        <translation>Chiffrer la position avec EncryptKey (1 : oui)</translation>
    </message>
    <message>
        <source>How much extra the console prints (0: nothing)</source>
        <translation>Ce que la console affiche en plus (0 : rien)</translation>
    </message>
    <message>
        <source>Which satellite systems the GPS uses</source>
        <translation>Les systèmes de satellites que le GPS utilise</translation>
    </message>
    <message>
        <source>Which pages the tracker&apos;s display shows, one bit each</source>
        <translation>Les pages que l&apos;écran du tracker affiche, un bit par page</translation>
    </message>
    <message>
        <source>The display page shown after switching on</source>
        <translation>La page affichée après la mise en marche</translation>
    </message>
    <message>
        <source>Altitude on the display (0: metres, 1: feet)</source>
        <translation>Altitude à l&apos;écran (0 : mètres, 1 : pieds)</translation>
    </message>
    <message>
        <source>Speed on the display (0: km/h, 1: knots)</source>
        <translation>Vitesse à l&apos;écran (0 : km/h, 1 : nœuds)</translation>
    </message>
    <message>
        <source>Climb rate on the display (0: m/s, 1: feet per minute)</source>
        <translation>Vario à l&apos;écran (0 : m/s, 1 : pieds par minute)</translation>
    </message>
    <message>
        <source>How long after the GPS&apos;s time pulse its data arrives</source>
        <translation>Délai entre l&apos;impulsion horaire du GPS et l&apos;arrivée de ses données</translation>
    </message>
    <message>
        <source>The name of the tracker&apos;s own Wi-Fi network</source>
        <translation>Le nom du réseau Wi-Fi du tracker</translation>
    </message>
    <message>
        <source>The password of the tracker&apos;s own Wi-Fi network</source>
        <translation>Le mot de passe du réseau Wi-Fi du tracker</translation>
    </message>
    <message>
        <source>The port the tracker&apos;s Wi-Fi network sends data on</source>
        <translation>Le port sur lequel le réseau Wi-Fi du tracker envoie les données</translation>
    </message>
    <message>
        <source>The channel of the tracker&apos;s Wi-Fi network</source>
        <translation>Le canal du réseau Wi-Fi du tracker</translation>
    </message>
    <message>
        <source>How strongly the tracker&apos;s Wi-Fi network transmits</source>
        <translation>La puissance du réseau Wi-Fi du tracker</translation>
    </message>
    <message>
        <source>The Wi-Fi network of the Stratux the tracker joins</source>
        <translation>Le réseau Wi-Fi du Stratux que le tracker rejoint</translation>
    </message>
    <message>
        <source>The password of the Stratux&apos;s Wi-Fi network</source>
        <translation>Le mot de passe du réseau Wi-Fi du Stratux</translation>
    </message>
    <message>
        <source>The address of the Stratux on its network</source>
        <translation>L&apos;adresse du Stratux sur son réseau</translation>
    </message>
    <message>
        <source>The port the tracker sends to the Stratux on</source>
        <translation>Le port sur lequel le tracker envoie au Stratux</translation>
    </message>
    <message>
        <source>How strongly the tracker transmits to the Stratux</source>
        <translation>La puissance avec laquelle le tracker émet vers le Stratux</translation>
    </message>
    <message>
        <source>The weakest Stratux signal the tracker stays connected at</source>
        <translation>Le signal Stratux le plus faible auquel le tracker reste connecté</translation>
    </message>
    <message>
        <source>A Wi-Fi network the tracker joins</source>
        <translation>Un réseau Wi-Fi que le tracker rejoint</translation>
    </message>
    <message>
        <source>The password of a Wi-Fi network the tracker joins</source>
        <translation>Le mot de passe d&apos;un réseau Wi-Fi que le tracker rejoint</translation>
    </message>
    <message>
        <source>How strongly the tracker transmits; HIGH may be more than your region&apos;s rules allow</source>
        <translation>La puissance d’émission du tracker ; HIGH peut dépasser ce que permettent les règles de votre région</translation>
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
        <translation>&amp;Port série&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Update firmware</source>
        <translation>Mettre à jour le &amp;firmware</translation>
    </message>
    <message>
        <source>Serial &amp;Monitor</source>
        <translation>&amp;Moniteur série</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Paramètre</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Relire</translation>
    </message>
    <message>
        <source>E&amp;xpert mode</source>
        <translation>Mode e&amp;xpert</translation>
    </message>
    <message>
        <source>Sa&amp;ve settings...</source>
        <translation>&amp;Enregistrer dans un fichier...</translation>
    </message>
    <message>
        <source>&amp;Load settings...</source>
        <translation>Ou&amp;vrir un fichier...</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Appliquer</translation>
    </message>
    <message>
        <source>The firmware loader crashed.</source>
        <translation>Le chargeur de firmware s&apos;est arrêté brutalement.</translation>
    </message>
    <message>
        <source>The firmware loader ended with exit code %1.</source>
        <translation>Le chargeur de firmware s&apos;est terminé avec le code de sortie %1.</translation>
    </message>
    <message>
        <source>Binary files (*.bin)</source>
        <translation>Fichiers binaires (*.bin)</translation>
    </message>
    <message>
        <source>Firmware update</source>
        <translation>Mise à jour du firmware</translation>
    </message>
    <message>
        <source>Firmware update not possible</source>
        <translation>Mise à jour du firmware impossible</translation>
    </message>
    <message>
        <source>An error has occurred during update process.</source>
        <translation>Une erreur s&apos;est produite pendant la mise à jour.</translation>
    </message>
    <message>
        <source>Firmware update failed</source>
        <translation>Échec de la mise à jour du firmware</translation>
    </message>
    <message>
        <source>Waiting for device...</source>
        <translation>En attente de l&apos;appareil...</translation>
    </message>
    <message>
        <source>Software update in progress...</source>
        <translation>Mise à jour logicielle en cours...</translation>
    </message>
    <message>
        <source>Writing to device...</source>
        <translation>Écriture dans l&apos;appareil...</translation>
    </message>
    <message>
        <source>Changes not confirmed: the connection was lost</source>
        <translation>Modifications non confirmées&#xa0;: la connexion a été perdue</translation>
    </message>
    <message>
        <source>; not sent: %1</source>
        <translation> ; non envoyé&#xa0;: %1</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Non écrit dans le tracker : %1</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Non envoyé&#xa0;: %1</translation>
    </message>
    <message>
        <source>Changes saved</source>
        <translation>Écrit dans le tracker</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Relire</translation>
    </message>
    <message>
        <source>Discard the changes not yet applied and read the tracker again?</source>
        <translation>Abandonner les modifications non appliquées et relire le tracker&#xa0;?</translation>
    </message>
    <message>
        <source>Changes not applied</source>
        <translation>Modifications non appliquées</translation>
    </message>
    <message numerus="yes">
        <source>%n change(s) have not been applied to the tracker.</source>
        <translation>
            <numerusform>%n modification n&apos;a pas été appliquée au tracker.</numerusform>
            <numerusform>%n modifications n&apos;ont pas été appliquées au tracker.</numerusform>
        </translation>
    </message>
    <message>
        <source>Connected to OGN device found on %1</source>
        <translation>Connecté à l&apos;appareil OGN trouvé sur %1</translation>
    </message>
    <message>
        <source>Connection closed</source>
        <translation>Connexion fermée</translation>
    </message>
    <message>
        <source>Save settings</source>
        <translation>Enregistrer dans un fichier</translation>
    </message>
    <message>
        <source>Settings files (*.txt)</source>
        <translation>Fichiers de réglages (*.txt)</translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation>Fichier non enregistré</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 n&apos;a pas pu être écrit&#xa0;: %2</translation>
    </message>
    <message>
        <source>Load settings</source>
        <translation>Ouvrir un fichier</translation>
    </message>
    <message>
        <source>Settings files (*.txt);;All files (*)</source>
        <translation>Fichiers de réglages (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>%1 cannot be loaded: %2</source>
        <translation>%1 ne peut pas être ouvert : %2</translation>
    </message>
    <message>
        <source>These values are not taken:
%1</source>
        <translation>Ces valeurs ne sont pas reprises&#xa0;:
%1</translation>
    </message>
    <message>
        <source>The tracker&apos;s settings could not be saved before the update, so it does not start.
%1: %2</source>
        <translation>Les réglages du tracker n&apos;ont pas pu être sauvegardés avant la mise à jour, elle ne démarre donc pas.
%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Restore settings</source>
        <translation>Restaurer les réglages</translation>
    </message>
    <message>
        <source>Settings restored</source>
        <translation>Réglages restaurés</translation>
    </message>
    <message>
        <source>Port, hardware, software and address of the tracker</source>
        <translation>Port, matériel, logiciel et adresse du tracker</translation>
    </message>
    <message>
        <source>standard hardware</source>
        <translation>matériel standard</translation>
    </message>
    <message>
        <source>Nothing was flashed.</source>
        <translation>Rien n&apos;a été flashé.</translation>
    </message>
    <message>
        <source>while you chose the file</source>
        <translation>pendant que vous choisissiez le fichier</translation>
    </message>
    <message>
        <source>while the question was open</source>
        <translation>pendant que la question était ouverte</translation>
    </message>
    <message>
        <source>Firmware update cancelled</source>
        <translation>Mise à jour du micrologiciel annulée</translation>
    </message>
    <message>
        <source>The firmware update was cancelled before the loader had finished. The tracker may not start until it is updated again. Its settings were saved before the update.</source>
        <translation>La mise à jour du micrologiciel a été annulée avant la fin du chargeur. Le traceur risque de ne pas démarrer avant une nouvelle mise à jour. Ses réglages ont été enregistrés avant la mise à jour.</translation>
    </message>
    <message>
        <source>Nothing was read again.</source>
        <translation>Rien n&apos;a été relu.</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>The tracker will transmit nothing: other aircraft and the ground stations will not see you. Write it?</source>
        <translation>Le traceur n&apos;émettra rien : les autres aéronefs et les stations au sol ne vous verront pas. L&apos;écrire quand même ?</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Rien n&apos;a été écrit.</translation>
    </message>
    <message>
        <source>%1: %2 -&gt; %3</source>
        <translation>%1 : %2 -&gt; %3</translation>
    </message>
    <message>
        <source>Changed by the tracker</source>
        <translation>Modifié par le traceur</translation>
    </message>
    <message>
        <source>The tracker changed the aircraft&apos;s identity by itself while the changes were written:
%1

Check the values and set them again if they are wrong.</source>
        <translation>Le traceur a modifié lui-même l&apos;identité de l&apos;aéronef pendant l&apos;écriture des modifications :
%1

Vérifiez les valeurs et réglez-les à nouveau si elles sont fausses.</translation>
    </message>
    <message>
        <source>Firmware update in progress</source>
        <translation>Mise à jour du micrologiciel en cours</translation>
    </message>
    <message>
        <source>The firmware update is still running. Close the window once it has ended?</source>
        <translation>La mise à jour du micrologiciel est toujours en cours. Fermer la fenêtre une fois terminée ?</translation>
    </message>
    <message>
        <source>Nothing was saved.</source>
        <translation>Rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>Nothing was loaded.</source>
        <translation>Rien n’a été ouvert.</translation>
    </message>
    <message>
        <source>This file is a template: it names no Address. Take its identity settings too (%1)?</source>
        <translation>Ce fichier est un modèle : il ne donne aucune adresse. Reprendre aussi ses réglages d&apos;identité (%1) ?</translation>
    </message>
    <message>
        <source>line %1: </source>
        <translation>ligne %1 : </translation>
    </message>
    <message>
        <source>%1 (a parameter this tracker&apos;s firmware does not have)</source>
        <translation>%1 (un paramètre que le micrologiciel de ce traceur n&apos;a pas)</translation>
    </message>
    <message>
        <source>%1 (did you mean %2?)</source>
        <translation>%1 (vouliez-vous dire %2 ?)</translation>
    </message>
    <message>
        <source>The tracker has no parameter of these names; they are skipped:
%1</source>
        <translation>Le traceur n&apos;a aucun paramètre de ces noms ; ils sont ignorés :
%1</translation>
    </message>
    <message>
        <source>while the message was open</source>
        <translation>pendant que le message était ouvert</translation>
    </message>
    <message>
        <source>The tracker&apos;s settings have not been read, so the update does not start.</source>
        <translation>Les réglages du traceur n&apos;ont pas été lus, la mise à jour ne démarre donc pas.</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Restore these settings of the tracker %1 from before the firmware update?

%2</source>
        <translation>Restaurer ces réglages du traceur %1 d&apos;avant la mise à jour du micrologiciel ?

%2</translation>
    </message>
    <message>
        <source>The tracker&apos;s list changed %1. %2</source>
        <translation>La liste du traceur a changé %1. %2</translation>
    </message>
    <message>
        <source>The tracker changed %1: it started with %2, and %3 is connected now. %4</source>
        <translation>Le traceur a changé %1 : c&apos;était %2, et %3 est connecté maintenant. %4</translation>
    </message>
    <message>
        <source>Tracker changed</source>
        <translation>Traceur changé</translation>
    </message>
    <message>
        <source>The window closes once the tracker has answered...</source>
        <translation>La fenêtre se ferme dès que le traceur a répondu...</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>Impossible d&apos;ouvrir %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Nothing to write: the tracker already holds these values</source>
        <translation>Rien à écrire : le tracker a déjà ces valeurs</translation>
    </message>
    <message>
        <source>Not every change was saved</source>
        <translation>Toutes les modifications n’ont pas été écrites dans le tracker</translation>
    </message>
    <message>
        <source>changed by the tracker: %1</source>
        <translation>modifié par le tracker : %1</translation>
    </message>
    <message>
        <source>Settings saved</source>
        <translation>Enregistré dans un fichier</translation>
    </message>
    <message>
        <source>Settings saved to:</source>
        <translation>Enregistré dans le fichier :</translation>
    </message>
    <message numerus="yes">
        <source>%n setting(s) loaded: Apply writes them to the tracker. From:</source>
        <translation>
            <numerusform>%n réglage ouvert : « Appliquer » l’écrit dans le tracker. Depuis :</numerusform>
            <numerusform>%n réglages ouverts : « Appliquer » les écrit dans le tracker. Depuis :</numerusform>
        </translation>
    </message>
    <message>
        <source>The tracker already holds the settings of this file:</source>
        <translation>Le tracker a déjà les réglages de ce fichier :</translation>
    </message>
    <message>
        <source>Nothing loaded from:</source>
        <translation>Rien n’a été repris de :</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Trouver&#xa0;:</translation>
    </message>
    <message>
        <source>Shows the rows whose name or description holds every word typed here (Ctrl+F)</source>
        <translation>Affiche les lignes dont le nom ou la description contient chaque mot saisi ici (Ctrl+F)</translation>
    </message>
    <message>
        <source>Name or description</source>
        <translation>Nom ou description</translation>
    </message>
    <message>
        <source>Shows only the rows changed and not yet applied</source>
        <translation>Affiche seulement les lignes modifiées et pas encore appliquées</translation>
    </message>
    <message>
        <source>&amp;Changed only</source>
        <translation>&amp;Uniquement les modifiées</translation>
    </message>
    <message>
        <source>Settings saved to: %1</source>
        <translation>Réglages enregistrés dans : %1</translation>
    </message>
    <message>
        <source>What now: unplug the tracker, plug it in again and start the update once more. Its settings from before are saved in %1 in the backups folder; once the update has worked they are offered back.</source>
        <translation>Que faire : débranchez le tracker, rebranchez-le et relancez la mise à jour. Ses réglages d’avant sont enregistrés dans %1, dans le dossier des sauvegardes ; une fois la mise à jour réussie, ils vous seront proposés à nouveau.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>Its settings are saved first, to %1 in the backups folder.</source>
        <translation>Ses réglages sont d’abord enregistrés dans %1, dans le dossier des sauvegardes.</translation>
    </message>
    <message>
        <source>Keep the tracker plugged in until the update has finished.</source>
        <translation>Laissez le tracker branché jusqu’à la fin de la mise à jour.</translation>
    </message>
    <message>
        <source>Install only firmware from a trusted source.</source>
        <translation>N’installez qu’un firmware de source sûre.</translation>
    </message>
    <message>
        <source>The firmware loader could not be started, so the tracker was not changed.</source>
        <translation>Le programme de chargement du firmware n’a pas pu être lancé ; le tracker n’a pas été modifié.</translation>
    </message>
    <message>
        <source>What now: check that the firmware folder&apos;s loader may be run, then try again. The tracker&apos;s settings are saved in %1 in the backups folder.</source>
        <translation>Que faire : vérifiez que le programme de chargement du dossier du firmware peut être exécuté, puis réessayez. Les réglages du tracker sont enregistrés dans %1, dans le dossier des sauvegardes.</translation>
    </message>
    <message>
        <source>A&amp;bout</source>
        <translation>À pr&amp;opos</translation>
    </message>
    <message numerus="yes">
        <source>The %n change(s) not yet applied are not saved: the file gets what the tracker holds.</source>
        <translation>
            <numerusform>La %n modification non encore appliquée n&apos;est pas enregistrée : le fichier reçoit ce que le tracker contient.</numerusform>
            <numerusform>Les %n modifications non encore appliquées ne sont pas enregistrées : le fichier reçoit ce que le tracker contient.</numerusform>
        </translation>
    </message>
    <message>
        <source>Changes pending: %1</source>
        <translation>Modifications en attente : %1</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Port série</translation>
    </message>
    <message>
        <source>Discard the changes not yet applied and connect to %1?</source>
        <translation>Abandonner les modifications non appliquées et se connecter à %1&#xa0;?</translation>
    </message>
    <message numerus="yes">
        <source>Another tracker is connected (%1): the %n change(s) not yet applied to %2 were discarded.</source>
        <translation>
            <numerusform>Un autre tracker est connecté (%1)&#xa0;: la %n modification non appliquée à %2 a été abandonnée.</numerusform>
            <numerusform>Un autre tracker est connecté (%1)&#xa0;: les %n modifications non appliquées à %2 ont été abandonnées.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>After the firmware update, the %n change(s) not yet applied were discarded: the update may have reset the settings they were made on.</source>
        <translation>
            <numerusform>Après la mise à jour du firmware, la %n modification non appliquée a été abandonnée&#xa0;: la mise à jour a pu réinitialiser les réglages sur lesquels elle portait.</numerusform>
            <numerusform>Après la mise à jour du firmware, les %n modifications non appliquées ont été abandonnées&#xa0;: la mise à jour a pu réinitialiser les réglages sur lesquels elles portaient.</numerusform>
        </translation>
    </message>
    <message>
        <source>The same tracker is back.</source>
        <translation>Le même tracker est de retour.</translation>
    </message>
    <message numerus="yes">
        <source>The same tracker is back: %n change(s) not yet applied are marked again.</source>
        <translation>
            <numerusform>Le même tracker est de retour&#xa0;: %n modification non appliquée est de nouveau marquée.</numerusform>
            <numerusform>Le même tracker est de retour&#xa0;: %n modifications non appliquées sont de nouveau marquées.</numerusform>
        </translation>
    </message>
    <message>
        <source>No longer pending, as the tracker holds the value or lacks the parameter: %1.</source>
        <translation>Plus en attente, car le tracker a déjà la valeur ou n&apos;a plus le paramètre&#xa0;: %1.</translation>
    </message>
    <message>
        <source>%1

The tracker does not show those digits, so this may change a setting you cannot see. Write it?</source>
        <translation>%1

Le tracker n’affiche pas ces chiffres : cela peut modifier un réglage que vous ne voyez pas. L’écrire ?</translation>
    </message>
    <message numerus="yes">
        <source>%1: written as %2; the tracker shows only its last %n digit(s)</source>
        <translation>
            <numerusform>%1 : écrit comme %2 ; le tracker n’affiche que son dernier chiffre</numerusform>
            <numerusform>%1 : écrit comme %2 ; le tracker n’affiche que ses %n derniers chiffres</numerusform>
        </translation>
    </message>
    <message>
        <source>This file is from another aircraft (address %1, registration %2); this tracker has address %3, registration %4. Take its identity too (%5)? No leaves these as the tracker has them.</source>
        <translation>Ce fichier vient d’un autre aéronef (adresse %1, immatriculation %2) ; ce tracker a l’adresse %3, l’immatriculation %4. Reprendre aussi son identité (%5) ? Non les laisse tels que le tracker les a.</translation>
    </message>
    <message>
        <source>No tracker found yet. Check that the tracker is switched on and that its USB cable and adapter are plugged in, and that no other program (a serial terminal, another configurator) holds its port.</source>
        <translation>Aucun tracker trouvé pour l’instant. Vérifiez que le tracker est allumé, que son câble USB et son adaptateur sont branchés et qu’aucun autre programme (un terminal série, un autre configurateur) n’occupe son port.</translation>
    </message>
    <message>
        <source>On Linux your user must be in the &quot;dialout&quot; group (log in again after adding it).</source>
        <translation>Sous Linux, votre utilisateur doit faire partie du groupe « dialout » (reconnectez-vous après l’ajout).</translation>
    </message>
    <message>
        <source>The system lists no serial port.</source>
        <translation>Le système n’indique aucun port série.</translation>
    </message>
    <message>
        <source>Ports the system lists: %1.</source>
        <translation>Ports indiqués par le système : %1.</translation>
    </message>
    <message>
        <source>Status output</source>
        <translation>Sortie d’état</translation>
    </message>
    <message>
        <source>The tracker prints its status only while Verbose is on. Write Verbose = %1 to the tracker?</source>
        <translation>Le tracker n’affiche son état que si Verbose est activé. Écrire Verbose = %1 sur le tracker ?</translation>
    </message>
    <message>
        <source>tracker</source>
        <translation>tracker</translation>
    </message>
    <message>
        <source>Select firmware file for the %1</source>
        <translation>Choisir le fichier du micrologiciel pour %1</translation>
    </message>
    <message>
        <source>Select firmware file for the %1 (%2)</source>
        <translation>Choisir le fichier du micrologiciel pour %1 (%2)</translation>
    </message>
    <message>
        <source>Firmware image refused</source>
        <translation>Image de micrologiciel refusée</translation>
    </message>
    <message>
        <source>The file %1 could not be read: %2</source>
        <translation>Le fichier %1 n’a pas pu être lu : %2</translation>
    </message>
    <message>
        <source>%1 was not written to the tracker.</source>
        <translation>%1 n’a pas été écrit sur le tracker.</translation>
    </message>
    <message>
        <source>A whole-flash image rewrites the tracker&apos;s settings: they are offered back once the tracker is found again.</source>
        <translation>Une image complète réécrit les réglages du tracker : ils sont proposés à nouveau dès que le tracker est retrouvé.</translation>
    </message>
    <message numerus="yes">
        <source>Discard the %n change(s) not yet saved or applied and open another file?</source>
        <translation>
            <numerusform>Abandonner la %n modification non enregistrée ou non appliquée et ouvrir un autre fichier ?</numerusform>
            <numerusform>Abandonner les %n modifications non enregistrées ou non appliquées et ouvrir un autre fichier ?</numerusform>
        </translation>
    </message>
    <message>
        <source>A tracker was connected while you chose the file, and nothing was loaded. Load the file again to compare it with the tracker:</source>
        <translation>Un tracker a été connecté pendant le choix du fichier ; rien n’a été ouvert. Ouvrez de nouveau le fichier pour le comparer avec le tracker :</translation>
    </message>
    <message>
        <source>No tracker is connected: the table shows the file. Edit it and save it with Save settings; once a tracker is connected, the rows where it differs are marked and Apply writes them. File:</source>
        <translation>Aucun tracker connecté : le tableau montre le fichier. Modifiez-le et enregistrez-le avec « Enregistrer dans un fichier » ; dès qu’un tracker est connecté, les lignes qui diffèrent sont marquées et « Appliquer » les écrit dans le tracker. Fichier :</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Fichier : %1</translation>
    </message>
    <message>
        <source>Left as the tracker has them, as the file is another aircraft&apos;s or a template: %1. Load the file again to be asked about them.</source>
        <translation>Laissés tels que le tracker les a, car le fichier est celui d’un autre aéronef ou un modèle : %1. Ouvrez de nouveau le fichier pour qu’on vous le demande.</translation>
    </message>
    <message>
        <source>Not taken: %1.</source>
        <translation>Non repris : %1.</translation>
    </message>
    <message>
        <source>The tracker already holds the settings of this file.</source>
        <translation>Le tracker a déjà les réglages de ce fichier.</translation>
    </message>
    <message numerus="yes">
        <source>The file was compared with the tracker: %n row(s) differ and are marked; Apply writes them.</source>
        <translation>
            <numerusform>Le fichier a été comparé avec le tracker : %n ligne diffère et est marquée ; « Appliquer » l’écrit dans le tracker.</numerusform>
            <numerusform>Le fichier a été comparé avec le tracker : %n lignes diffèrent et sont marquées ; « Appliquer » les écrit dans le tracker.</numerusform>
        </translation>
    </message>
    <message>
        <source>File:</source>
        <translation>Fichier :</translation>
    </message>
    <message>
        <source>Changes not saved</source>
        <translation>Modifications non enregistrées</translation>
    </message>
    <message numerus="yes">
        <source>%n change(s) to %1 have not been saved.</source>
        <translation>
            <numerusform>%n modification de %1 n’a pas été enregistrée.</numerusform>
            <numerusform>%n modifications de %1 n’ont pas été enregistrées.</numerusform>
        </translation>
    </message>
    <message>
        <source>Check &amp;OGN</source>
        <translation>Vérifier O&amp;GN</translation>
    </message>
    <message>
        <source>Asks the OGN network whether it knows this tracker and hears it</source>
        <translation>Demande au réseau OGN s&apos;il connaît ce tracker et le reçoit</translation>
    </message>
    <message>
        <source>The tracker&apos;s list has no Address: there is nothing to check.</source>
        <translation>La liste du tracker ne contient pas d&apos;Address&#xa0;: il n&apos;y a rien à vérifier.</translation>
    </message>
    <message>
        <source>Check OGN</source>
        <translation>Vérifier OGN</translation>
    </message>
    <message>
        <source>Check OGN sends the tracker&apos;s address, %1, and nothing else, to the OGN devices database (%2) and to the OGN APRS server (%3). Both are public servers on the internet. Send it?</source>
        <translation>«&#xa0;Vérifier OGN&#xa0;» envoie l&apos;adresse du tracker, %1, et rien d&apos;autre, à la base de données des appareils OGN (%2) et au serveur APRS OGN (%3). Ce sont deux serveurs publics sur Internet. L&apos;envoyer&#xa0;?</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>Rien n&apos;a été envoyé.</translation>
    </message>
    <message>
        <source>The tracker changed during the check: it started with %1, and %2 is connected now. The check stopped.</source>
        <translation>Le tracker a changé pendant la vérification&#xa0;: elle a commencé avec %1, et %2 est connecté maintenant. La vérification s&apos;est arrêtée.</translation>
    </message>
    <message>
        <source>Write the firmware image %1 (%2, %3) to the tracker %4 (%5, hardware %6)?</source>
        <translation>Écrire l’image de firmware %1 (%2, %3) dans le tracker %4 (%5, matériel %6) ?</translation>
    </message>
    <message>
        <source>no registration</source>
        <translation>sans immatriculation</translation>
    </message>
    <message>
        <source>registration %1</source>
        <translation>immatriculation %1</translation>
    </message>
    <message>
        <source>Image: %1
The settings will first be saved to: %2</source>
        <translation>Image : %1
Les réglages seront d’abord enregistrés dans : %2</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) match</source>
        <translation>
            <numerusform>%n ligne correspond</numerusform>
            <numerusform>%n lignes correspondent</numerusform>
        </translation>
    </message>
    <message>
        <source>port %1</source>
        <translation>port %1</translation>
    </message>
    <message>
        <source>hardware %1</source>
        <translation>matériel %1</translation>
    </message>
    <message>
        <source>software %1</source>
        <translation>logiciel %1</translation>
    </message>
    <message>
        <source>address %1</source>
        <translation>adresse %1</translation>
    </message>
    <message>
        <source>Tracker: %1</source>
        <translation>Tracker : %1</translation>
    </message>
    <message>
        <source>Nothing was saved to %1: a tracker was connected while you chose the file.</source>
        <translation>Rien n’a été enregistré dans %1 : un tracker a été connecté pendant que vous choisissiez le fichier.</translation>
    </message>
</context>
<context>
    <name>MessageBar</name>
    <message>
        <source>Outcome</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Close this message</source>
        <translation>Fermer ce message</translation>
    </message>
    <message>
        <source>Outcome: %1</source>
        <translation>Résultat : %1</translation>
    </message>
</context>
<context>
    <name>OgnCheckDialog</name>
    <message>
        <source>Check OGN</source>
        <translation>Vérifier OGN</translation>
    </message>
    <message>
        <source>OGN devices database</source>
        <translation>Base de données des appareils OGN</translation>
    </message>
    <message>
        <source>Beacons received by OGN stations</source>
        <translation>Balises reçues par les stations OGN</translation>
    </message>
    <message>
        <source>Time (UTC)</source>
        <translation>Heure (UTC)</translation>
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
        <translation>Écart de fréquence</translation>
    </message>
    <message>
        <source>Relayed</source>
        <translation>Relayée</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Arrêter</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Stopped: nothing more is sent.</source>
        <translation>Arrêté&#xa0;: plus rien n&apos;est envoyé.</translation>
    </message>
    <message>
        <source>The APRS server could not be heard: %1</source>
        <translation>Le serveur APRS n&apos;a pas pu être entendu&#xa0;: %1</translation>
    </message>
    <message>
        <source>The check stopped.</source>
        <translation>La vérification s&apos;est arrêtée.</translation>
    </message>
    <message>
        <source>Checks address %1. Sends this address, and nothing else, to the OGN devices database (%2) and to the OGN APRS server (%3).</source>
        <translation>Vérifie l&apos;adresse %1. Envoie cette adresse, et rien d&apos;autre, à la base de données des appareils OGN (%2) et au serveur APRS OGN (%3).</translation>
    </message>
    <message>
        <source>Asking the OGN devices database...</source>
        <translation>Interrogation de la base de données des appareils OGN...</translation>
    </message>
    <message>
        <source>Not received in %1 s. Likely reasons, the most likely first:</source>
        <translation>Non reçu en %1 s. Raisons probables, la plus probable d&apos;abord&#xa0;:</translation>
    </message>
    <message>
        <source>Check finished.</source>
        <translation>Vérification terminée.</translation>
    </message>
    <message>
        <source>Listening for the tracker&apos;s beacons: %1 s left</source>
        <translation>À l&apos;écoute des balises du tracker&#xa0;: encore %1 s</translation>
    </message>
    <message>
        <source>Received by %1, %2</source>
        <translation>Reçu par %1, %2</translation>
    </message>
</context>
<context>
    <name>Options</name>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>(Moto-)glider</source>
        <translation>(Moto)planeur</translation>
    </message>
    <message>
        <source>Tow plane</source>
        <translation>Remorqueur</translation>
    </message>
    <message>
        <source>Helicopter</source>
        <translation>Hélicoptère</translation>
    </message>
    <message>
        <source>Parachute</source>
        <translation>Parachute</translation>
    </message>
    <message>
        <source>Drop plane</source>
        <translation>Avion largueur</translation>
    </message>
    <message>
        <source>hang-glider</source>
        <translation>Deltaplane</translation>
    </message>
    <message>
        <source>Para-glider</source>
        <translation>Parapente</translation>
    </message>
    <message>
        <source>Powered aircraft</source>
        <translation>Avion à moteur</translation>
    </message>
    <message>
        <source>Jet aircraft</source>
        <translation>Avion à réaction</translation>
    </message>
    <message>
        <source>UFO</source>
        <translation>OVNI</translation>
    </message>
    <message>
        <source>Balloon</source>
        <translation>Ballon</translation>
    </message>
    <message>
        <source>Airship</source>
        <translation>Dirigeable</translation>
    </message>
    <message>
        <source>UAV</source>
        <translation>Drone</translation>
    </message>
    <message>
        <source>Ground support</source>
        <translation>Véhicule au sol</translation>
    </message>
    <message>
        <source>Static object</source>
        <translation>Obstacle fixe</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Aléatoire</translation>
    </message>
    <message>
        <source>ICAO</source>
        <translation>OACI</translation>
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
        <translation>Automatique</translation>
    </message>
    <message>
        <source>Europe</source>
        <translation>Europe</translation>
    </message>
    <message>
        <source>USA/Canada</source>
        <translation>États-Unis/Canada</translation>
    </message>
    <message>
        <source>South America /Australia</source>
        <translation>Amérique du Sud/Australie</translation>
    </message>
    <message>
        <source>LOW</source>
        <translation>FAIBLE</translation>
    </message>
    <message>
        <source>NORMAL</source>
        <translation>NORMALE</translation>
    </message>
    <message>
        <source>HIGH</source>
        <translation>FORTE</translation>
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
        <translation>Nouvelle-Zélande</translation>
    </message>
    <message>
        <source>Israel</source>
        <translation>Israël</translation>
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
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Activé</translation>
    </message>
</context>
<context>
    <name>ParameterLabel</name>
    <message>
        <source>Registration</source>
        <translation>Immatriculation</translation>
    </message>
    <message>
        <source>Radio address</source>
        <translation>Adresse radio</translation>
    </message>
    <message>
        <source>Address type</source>
        <translation>Type d’adresse</translation>
    </message>
    <message>
        <source>Aircraft type</source>
        <translation>Type d’aéronef</translation>
    </message>
    <message>
        <source>Transmit power</source>
        <translation>Puissance d’émission</translation>
    </message>
    <message>
        <source>Frequency plan</source>
        <translation>Plan de fréquences</translation>
    </message>
    <message>
        <source>Protocols sent</source>
        <translation>Protocoles émis</translation>
    </message>
    <message>
        <source>Mobile access point</source>
        <translation>Point d’accès mobile</translation>
    </message>
    <message>
        <source>Pilot</source>
        <translation>Pilote</translation>
    </message>
    <message>
        <source>Pilot ID</source>
        <translation>ID du pilote</translation>
    </message>
    <message>
        <source>Crew</source>
        <translation>Équipage</translation>
    </message>
    <message>
        <source>Emergency contact</source>
        <translation>Contact d’urgence</translation>
    </message>
    <message>
        <source>Competition ID</source>
        <translation>Numéro de concours</translation>
    </message>
    <message>
        <source>Competition class</source>
        <translation>Classe de concours</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Constructeur</translation>
    </message>
    <message>
        <source>Aircraft model</source>
        <translation>Modèle d’aéronef</translation>
    </message>
    <message>
        <source>Type designator</source>
        <translation>Désignation de type</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Numéro de série</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Épreuve</translation>
    </message>
    <message>
        <source>Home airfield</source>
        <translation>Aérodrome d’attache</translation>
    </message>
    <message>
        <source>Bluetooth name</source>
        <translation>Nom Bluetooth</translation>
    </message>
    <message>
        <source>Encryption key</source>
        <translation>Clé de chiffrement</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Matériel</translation>
    </message>
    <message>
        <source>Firmware version</source>
        <translation>Version du micrologiciel</translation>
    </message>
    <message>
        <source>Temperature correction</source>
        <translation>Correction de température</translation>
    </message>
    <message>
        <source>Console speed</source>
        <translation>Vitesse de la console</translation>
    </message>
    <message>
        <source>Hide my track</source>
        <translation>Masquer ma trace</translation>
    </message>
    <message>
        <source>Ghost mode</source>
        <translation>Mode fantôme</translation>
    </message>
    <message>
        <source>Console protocols</source>
        <translation>Protocoles de la console</translation>
    </message>
    <message>
        <source>High-power radio</source>
        <translation>Radio haute puissance</translation>
    </message>
    <message>
        <source>Protocols received</source>
        <translation>Protocoles reçus</translation>
    </message>
    <message>
        <source>Frequency correction</source>
        <translation>Correction de fréquence</translation>
    </message>
    <message>
        <source>Pressure correction</source>
        <translation>Correction de pression</translation>
    </message>
    <message>
        <source>Time correction</source>
        <translation>Correction d’heure</translation>
    </message>
    <message>
        <source>Geoid separation</source>
        <translation>Ondulation du géoïde</translation>
    </message>
    <message>
        <source>Manual geoid separation</source>
        <translation>Ondulation du géoïde manuelle</translation>
    </message>
    <message>
        <source>GPS motion model</source>
        <translation>Modèle de mouvement GPS</translation>
    </message>
    <message>
        <source>GPS fix rate</source>
        <translation>Fréquence des positions GPS</translation>
    </message>
    <message>
        <source>Encryption</source>
        <translation>Chiffrement</translation>
    </message>
    <message>
        <source>Console output</source>
        <translation>Sortie console</translation>
    </message>
    <message>
        <source>Satellite systems</source>
        <translation>Systèmes satellitaires</translation>
    </message>
    <message>
        <source>Display pages</source>
        <translation>Pages d’affichage</translation>
    </message>
    <message>
        <source>First display page</source>
        <translation>Première page affichée</translation>
    </message>
    <message>
        <source>Altitude unit</source>
        <translation>Unité d’altitude</translation>
    </message>
    <message>
        <source>Speed unit</source>
        <translation>Unité de vitesse</translation>
    </message>
    <message>
        <source>Climb rate unit</source>
        <translation>Unité de vario</translation>
    </message>
    <message>
        <source>GPS data delay</source>
        <translation>Retard des données GPS</translation>
    </message>
    <message>
        <source>Wi-Fi name</source>
        <translation>Nom Wi-Fi</translation>
    </message>
    <message>
        <source>Wi-Fi password</source>
        <translation>Mot de passe Wi-Fi</translation>
    </message>
    <message>
        <source>Wi-Fi data port</source>
        <translation>Port de données Wi-Fi</translation>
    </message>
    <message>
        <source>Wi-Fi channel</source>
        <translation>Canal Wi-Fi</translation>
    </message>
    <message>
        <source>Wi-Fi power</source>
        <translation>Puissance Wi-Fi</translation>
    </message>
    <message>
        <source>Stratux Wi-Fi</source>
        <translation>Wi-Fi Stratux</translation>
    </message>
    <message>
        <source>Stratux password</source>
        <translation>Mot de passe Stratux</translation>
    </message>
    <message>
        <source>Stratux address</source>
        <translation>Adresse Stratux</translation>
    </message>
    <message>
        <source>Stratux port</source>
        <translation>Port Stratux</translation>
    </message>
    <message>
        <source>Stratux Wi-Fi power</source>
        <translation>Puissance Wi-Fi Stratux</translation>
    </message>
    <message>
        <source>Stratux minimum signal</source>
        <translation>Signal minimal Stratux</translation>
    </message>
    <message>
        <source>Log upload address</source>
        <translation>Adresse d’envoi des vols</translation>
    </message>
    <message>
        <source>Firmware download address</source>
        <translation>Adresse de téléchargement du micrologiciel</translation>
    </message>
    <message>
        <source>Wi-Fi network</source>
        <translation>Réseau Wi-Fi</translation>
    </message>
    <message>
        <source>Wi-Fi network password</source>
        <translation>Mot de passe du réseau Wi-Fi</translation>
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
        <translation>%1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>ParameterTable</name>
    <message>
        <source>Reading the tracker...</source>
        <translation>Lecture du tracker...</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Paramètre</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Tracker&apos;s note: %1</source>
        <translation>Note du tracker&#xa0;: %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
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
        <translation>%1 (en %2)</translation>
    </message>
    <message>
        <source>changed, not yet applied</source>
        <translation>modifié, pas encore appliqué</translation>
    </message>
    <message>
        <source>Tracker settings</source>
        <translation>Réglages du tracker</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>modifié</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Firmware update</source>
        <translation>Mise à jour du firmware</translation>
    </message>
    <message>
        <source>Initiating firmware update...</source>
        <translation>Démarrage de la mise à jour du firmware...</translation>
    </message>
    <message>
        <source>Writing to the device. Please wait...</source>
        <translation>Écriture dans l&apos;appareil. Veuillez patienter...</translation>
    </message>
    <message>
        <source>Firmware update finished</source>
        <translation>Mise à jour du firmware terminée</translation>
    </message>
    <message>
        <source>Firmware update failed</source>
        <translation>Échec de la mise à jour du firmware</translation>
    </message>
    <message>
        <source>Stop the firmware update</source>
        <translation>Arrêter la mise à jour du micrologiciel</translation>
    </message>
    <message>
        <source>Stop the firmware loader now? The tracker may not start until it is updated again.</source>
        <translation>Arrêter le chargeur du micrologiciel maintenant ? Le traceur risque de ne pas démarrer avant une nouvelle mise à jour.</translation>
    </message>
    <message>
        <source>Firmware update cancelled</source>
        <translation>Mise à jour du micrologiciel annulée</translation>
    </message>
    <message>
        <source>Firmware loader output</source>
        <translation>Sortie du chargeur de firmware</translation>
    </message>
    <message>
        <source>Firmware update progress</source>
        <translation>Progression de la mise à jour du firmware</translation>
    </message>
</context>
<context>
    <name>SerialMonitor</name>
    <message>
        <source>Serial monitor</source>
        <translation>Moniteur série</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Waiting for connection...</source>
        <translation>En attente de connexion...</translation>
    </message>
    <message>
        <source>Clean</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Enregistrer...</translation>
    </message>
    <message>
        <source>Save what the tracker sent</source>
        <translation>Enregistrer ce que le tracker a envoyé</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Fichiers texte (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Not saved</source>
        <translation>Non enregistré</translation>
    </message>
    <message>
        <source>The text could not be written to %1:
%2</source>
        <translation>Le texte n’a pas pu être écrit dans %1 :
%2</translation>
    </message>
    <message>
        <source>What the tracker sent</source>
        <translation>Ce que le tracker a envoyé</translation>
    </message>
</context>
<context>
    <name>StatusPanel</name>
    <message>
        <source>Tracker status</source>
        <translation>État du tracker</translation>
    </message>
    <message>
        <source>Switch status output on...</source>
        <translation>Activer la sortie d’état...</translation>
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
        <translation>GPS : position 2D</translation>
    </message>
    <message>
        <source>GPS: fix</source>
        <translation>GPS : position</translation>
    </message>
    <message numerus="yes">
        <source>GPS: 2-D fix, %n satellite(s)</source>
        <translation>
            <numerusform>GPS : position 2D, %n satellite</numerusform>
            <numerusform>GPS : position 2D, %n satellites</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>GPS: 3-D fix, %n satellite(s)</source>
        <translation>
            <numerusform>GPS : position 3D, %n satellite</numerusform>
            <numerusform>GPS : position 3D, %n satellites</numerusform>
        </translation>
    </message>
    <message>
        <source>, HDOP %1</source>
        <translation>, HDOP %1</translation>
    </message>
    <message>
        <source>GPS: nothing heard</source>
        <translation>GPS : rien reçu</translation>
    </message>
    <message>
        <source>GPS: nothing heard yet</source>
        <translation>GPS : rien reçu pour l’instant</translation>
    </message>
    <message>
        <source>GPS: no fix</source>
        <translation>GPS : pas de position</translation>
    </message>
    <message>
        <source>GPS: fix lost %1 ago</source>
        <translation>GPS : position perdue il y a %1</translation>
    </message>
    <message>
        <source>GPS: no fix yet (its date is not valid)</source>
        <translation>GPS : pas encore de position (sa date n’est pas valide)</translation>
    </message>
    <message>
        <source>GPS: no fix: the antenna needs open sky</source>
        <translation>GPS : pas de position : l’antenne a besoin de ciel dégagé</translation>
    </message>
    <message>
        <source>Radio: transmitting</source>
        <translation>Radio : émet</translation>
    </message>
    <message numerus="yes">
        <source>Radio: transmitting (OGN, %n packet(s) in the last %1 s)</source>
        <translation>
            <numerusform>Radio : émet (OGN, %n paquet dans les %1 dernières s)</numerusform>
            <numerusform>Radio : émet (OGN, %n paquets dans les %1 dernières s)</numerusform>
        </translation>
    </message>
    <message>
        <source>Radio: not transmitting</source>
        <translation>Radio : n’émet pas</translation>
    </message>
    <message>
        <source>Radio: not transmitting: no OGN packet sent in the last %1 s</source>
        <translation>Radio : n’émet pas : aucun paquet OGN dans les %1 dernières s</translation>
    </message>
    <message>
        <source>Radio: nothing heard</source>
        <translation>Radio : rien reçu</translation>
    </message>
    <message>
        <source>Radio: nothing heard yet</source>
        <translation>Radio : rien reçu pour l’instant</translation>
    </message>
    <message>
        <source>Radio: transmit status not printed</source>
        <translation>Radio : état d’émission non affiché</translation>
    </message>
    <message>
        <source>Radio: transmit status not printed by this firmware</source>
        <translation>Radio : ce micrologiciel n’affiche pas l’état d’émission</translation>
    </message>
    <message>
        <source>Radio: waiting for its report</source>
        <translation>Radio : attend son rapport</translation>
    </message>
    <message>
        <source>Radio: waiting for its report (every 10 s)</source>
        <translation>Radio : attend son rapport (toutes les 10 s)</translation>
    </message>
    <message>
        <source>Battery: good</source>
        <translation>Batterie : bonne</translation>
    </message>
    <message>
        <source>Battery: low</source>
        <translation>Batterie : faible</translation>
    </message>
    <message>
        <source>Battery: %1 V</source>
        <translation>Batterie : %1 V</translation>
    </message>
    <message>
        <source>Battery: not measured</source>
        <translation>Batterie : non mesurée</translation>
    </message>
    <message>
        <source>Battery: not read</source>
        <translation>Batterie : non lue</translation>
    </message>
    <message>
        <source>Battery: not measured by this board</source>
        <translation>Batterie : non mesurée par cette carte</translation>
    </message>
    <message>
        <source>Battery: not read yet</source>
        <translation>Batterie : pas encore lue</translation>
    </message>
    <message>
        <source>Pressure sensor: found</source>
        <translation>Capteur de pression : présent</translation>
    </message>
    <message>
        <source>Pressure sensor: found, %1 hPa</source>
        <translation>Capteur de pression : présent, %1 hPa</translation>
    </message>
    <message>
        <source>Pressure sensor: none found</source>
        <translation>Capteur de pression : aucun trouvé</translation>
    </message>
    <message>
        <source>Pressure sensor: not reported</source>
        <translation>Capteur de pression : non signalé</translation>
    </message>
    <message>
        <source>The tracker prints no status while Verbose is off.</source>
        <translation>Le tracker n’affiche aucun état tant que Verbose est désactivé.</translation>
    </message>
    <message>
        <source>The tracker prints nothing continuous at the moment.</source>
        <translation>Le tracker n’affiche rien en continu pour le moment.</translation>
    </message>
    <message numerus="yes">
        <source>; receiving %n packet(s) a minute</source>
        <translation>
            <numerusform>; reçoit %n paquet par minute</numerusform>
            <numerusform>; reçoit %n paquets par minute</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tracktune</name>
    <message>
        <source>no parameter name</source>
        <translation>aucun nom de paramètre</translation>
    </message>
    <message>
        <source>no blank, comma, =, $, * or control character in a name</source>
        <translation>ni espace, ni virgule, ni =, $, * ou caractère de contrôle dans un nom</translation>
    </message>
    <message>
        <source>no blank, comma, $, * or control character in a value</source>
        <translation>ni espace, ni virgule, ni $, * ou caractère de contrôle dans une valeur</translation>
    </message>
    <message>
        <source>%1 is in use by another program</source>
        <translation>%1 est utilisé par un autre programme</translation>
    </message>
    <message>
        <source>Not permitted to open %1: add your user to the dialout group, then log in again</source>
        <translation>Pas le droit d&apos;ouvrir %1&#xa0;: ajoutez votre utilisateur au groupe dialout, puis reconnectez-vous</translation>
    </message>
    <message>
        <source>Not permitted to open %1</source>
        <translation>Pas le droit d&apos;ouvrir %1</translation>
    </message>
    <message>
        <source>line %1 is not &quot;Name = Value&quot;: %2</source>
        <translation>la ligne %1 n&apos;est pas de la forme « Nom = Valeur »&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 takes %2</source>
        <translation>%1 accepte %2</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; could be any of: %3</source>
        <translation>%1&#xa0;: « %2 » peut être chacun de&#xa0;: %3</translation>
    </message>
    <message>
        <source>%1 or one of: %2</source>
        <translation>%1 ou l&apos;un de&#xa0;: %2</translation>
    </message>
    <message>
        <source>a signed number or one of: %1</source>
        <translation>un nombre signé ou l&apos;un de&#xa0;: %1</translation>
    </message>
    <message>
        <source>a hexadecimal mask or names separated by commas: %1</source>
        <translation>un masque hexadécimal ou des noms séparés par des virgules&#xa0;: %1</translation>
    </message>
    <message>
        <source>CONbaud: only 115200 is written, the speed this program talks at; another speed would cut the link</source>
        <translation>CONbaud&#xa0;: seul 115200 est écrit, la vitesse de ce programme&#xa0;; une autre couperait la liaison</translation>
    </message>
    <message>
        <source>larger than %1</source>
        <translation>plus grand que %1</translation>
    </message>
    <message>
        <source>a NUL byte on line %1</source>
        <translation>un octet NUL à la ligne %1</translation>
    </message>
    <message>
        <source>not UTF-8 text</source>
        <translation>pas du texte UTF-8</translation>
    </message>
    <message>
        <source>no tracker</source>
        <translation>aucun traceur</translation>
    </message>
    <message>
        <source>a tracker without an address</source>
        <translation>un traceur sans adresse</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>The port closed while the tracker&apos;s list was read</source>
        <translation>Le port s&apos;est fermé pendant la lecture de la liste du tracker</translation>
    </message>
    <message>
        <source>The device did not answer</source>
        <translation>L&apos;appareil n&apos;a pas répondu</translation>
    </message>
    <message>
        <source>The device&apos;s answer was too short to be a list</source>
        <translation>La réponse de l&apos;appareil était trop courte pour être une liste</translation>
    </message>
    <message>
        <source>The device printed no list in time</source>
        <translation>L&apos;appareil n&apos;a pas affiché de liste à temps</translation>
    </message>
    <message>
        <source>four groups of 8 hexadecimal digits separated by &quot;:&quot;</source>
        <translation>quatre groupes de 8 chiffres hexadécimaux séparés par « : »</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; cannot be stored: the tracker takes only letters A-Z, digits and . @ + - _ / #%3 and would cut the text there</source>
        <translation>%1 : « %2 » ne peut pas être enregistré : le tracker ne prend que les lettres A-Z, les chiffres et . @ + - _ / #%3 et couperait le texte à cet endroit</translation>
    </message>
    <message>
        <source>%1: at most %2 characters (this is %3)</source>
        <translation>%1 : %2 caractères au plus (celui-ci en a %3)</translation>
    </message>
    <message>
        <source>%1 hexadecimal digits</source>
        <translation>%1 chiffres hexadécimaux</translation>
    </message>
    <message>
        <source>too long: the tracker takes at most %1 characters in a sentence, this would be %2</source>
        <translation>trop long : le tracker accepte au plus %1 caractères par phrase, celle-ci en aurait %2</translation>
    </message>
    <message>
        <source>the port did not open within %1 s</source>
        <translation>le port ne s&apos;est pas ouvert en %1&#xa0;s</translation>
    </message>
    <message>
        <source>%1: this tracker&apos;s firmware has no %2; it takes: %3</source>
        <translation>%1 : le micrologiciel de ce tracker n’a pas %2 ; il accepte : %3</translation>
    </message>
    <message>
        <source>%1: the tracker keeps quarters and cannot show %2; it can show %3</source>
        <translation>%1 : le tracker garde des quarts et ne peut pas afficher %2 ; il peut afficher %3</translation>
    </message>
    <message>
        <source> or </source>
        <translation> ou </translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(vide)</translation>
    </message>
    <message>
        <source>no answer from %1 within %2 s</source>
        <translation>pas de réponse de %1 en %2 s</translation>
    </message>
    <message>
        <source>%1 closed the connection</source>
        <translation>%1 a fermé la connexion</translation>
    </message>
    <message>
        <source>cannot reach %1: %2</source>
        <translation>impossible de joindre %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 answered more than one address&apos;s entries</source>
        <translation>%1 a répondu avec les entrées de plusieurs adresses</translation>
    </message>
    <message>
        <source>%1 answered HTTP %2</source>
        <translation>%1 a répondu HTTP %2</translation>
    </message>
    <message>
        <source>%1 answered something that is not a device list</source>
        <translation>%1 a répondu autre chose qu&apos;une liste d&apos;appareils</translation>
    </message>
    <message>
        <source>type %1</source>
        <translation>type %1</translation>
    </message>
    <message>
        <source>AddrType=0 (random) changes the address after each landing: a database entry cannot follow it</source>
        <translation>AddrType=0 (aléatoire) change l&apos;adresse après chaque atterrissage&#xa0;: une entrée de la base de données ne peut pas la suivre</translation>
    </message>
    <message>
        <source>the database registers %1 as %2, the tracker sends it as %3 (AddrType=%4)</source>
        <translation>la base de données enregistre %1 comme %2, le tracker l&apos;envoie comme %3 (AddrType=%4)</translation>
    </message>
    <message>
        <source>this address is registered to another aircraft: %1 in the database, Reg=%2 on the tracker</source>
        <translation>cette adresse est enregistrée pour un autre aéronef&#xa0;: %1 dans la base de données, Reg=%2 dans le tracker</translation>
    </message>
    <message>
        <source>(hidden or blank)</source>
        <translation>(masqué ou vide)</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>no</source>
        <translation>non</translation>
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
        <translation>par %1</translation>
    </message>
    <message>
        <source>%1 UTC  received by %2</source>
        <translation>%1 UTC  reçue par %2</translation>
    </message>
    <message>
        <source>status: %1</source>
        <translation>état&#xa0;: %1</translation>
    </message>
    <message>
        <source>info: %1</source>
        <translation>info&#xa0;: %1</translation>
    </message>
    <message>
        <source>relayed by %1</source>
        <translation>relayée par %1</translation>
    </message>
    <message>
        <source>Not received in %1 s. Likely reasons: no OGN receiver in range (on the ground few are), no GPS fix yet (no position goes out without one), transmitting switched off (TxProtMask, TxPower) or a large frequency offset (FreqCorr).</source>
        <translation>Non reçu en %1 s. Raisons probables&#xa0;: aucun récepteur OGN à portée (au sol, ils sont rares), pas encore de position GPS (aucune position n&apos;est envoyée sans elle), émission coupée (TxProtMask, TxPower) ou un grand écart de fréquence (FreqCorr).</translation>
    </message>
    <message>
        <source>Received by 1 station in %1 s</source>
        <translation>Reçu par 1 station en %1 s</translation>
    </message>
    <message>
        <source>Received by %1 stations in %2 s</source>
        <translation>Reçu par %1 stations en %2 s</translation>
    </message>
    <message>
        <source>, best %1 dB</source>
        <translation>, meilleur signal %1 dB</translation>
    </message>
    <message>
        <source>; frequency offset %1 kHz</source>
        <translation>&#xa0;; écart de fréquence %1 kHz</translation>
    </message>
    <message>
        <source>: consider FreqCorr</source>
        <translation>&#xa0;: envisager FreqCorr</translation>
    </message>
    <message>
        <source>No GPS fix yet: no position goes out without one.</source>
        <translation>Pas encore de position GPS&#xa0;: aucune position n&apos;est envoyée sans elle.</translation>
    </message>
    <message>
        <source>No GPS fix: the tracker says it has none, and no position goes out without one.</source>
        <translation>Pas de position GPS&#xa0;: le tracker dit n&apos;en avoir aucune, et aucune position n&apos;est envoyée sans elle.</translation>
    </message>
    <message>
        <source>Not transmitting: the tracker&apos;s count of packets sent does not rise (TxProtMask, TxPower).</source>
        <translation>N&apos;émet pas&#xa0;: le compteur de paquets envoyés du tracker n&apos;augmente pas (TxProtMask, TxPower).</translation>
    </message>
    <message>
        <source>No OGN receiver in range: on the ground few are.</source>
        <translation>Aucun récepteur OGN à portée&#xa0;: au sol, ils sont rares.</translation>
    </message>
    <message>
        <source>The frequency plan (FreqPlan) does not suit the region, or the frequency offset is large (FreqCorr).</source>
        <translation>Le plan de fréquences (FreqPlan) ne convient pas à la région, ou l&apos;écart de fréquence est grand (FreqCorr).</translation>
    </message>
    <message>
        <source>OGN devices database: no answer (%1)</source>
        <translation>Base de données des appareils OGN&#xa0;: pas de réponse (%1)</translation>
    </message>
    <message>
        <source>OGN devices database</source>
        <translation>Base de données des appareils OGN</translation>
    </message>
    <message>
        <source>(cached answer, %1 h old)</source>
        <translation>(réponse en cache, vieille de %1 h)</translation>
    </message>
    <message>
        <source>(cached answer, %1 h old; %2)</source>
        <translation>(réponse en cache, vieille de %1 h&#xa0;; %2)</translation>
    </message>
    <message>
        <source>%1: %2 is not registered</source>
        <translation>%1&#xa0;: %2 n&apos;est pas enregistrée</translation>
    </message>
    <message>
        <source>%1: %2 is registered as %3</source>
        <translation>%1&#xa0;: %2 est enregistrée comme %3</translation>
    </message>
    <message>
        <source>registration %1, model %2, CN %3</source>
        <translation>immatriculation %1, modèle %2, CN %3</translation>
    </message>
    <message>
        <source>tracked: %1, identified: %2</source>
        <translation>suivi&#xa0;: %1, identifié&#xa0;: %2</translation>
    </message>
    <message>
        <source>mismatch: %1</source>
        <translation>écart&#xa0;: %1</translation>
    </message>
    <message>
        <source>Transmitting may be switched off (TxProtMask, TxPower).</source>
        <translation>L’émission est peut-être coupée (TxProtMask, TxPower).</translation>
    </message>
</context>
</TS>
