<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>App</name>
    <message>
        <source>Are you sure you want to Exit the program?</source>
        <translation>Voulez-vous vraiment quitter le programme ?</translation>
    </message>
    <message>
        <source>The catalogue of the download site cannot be trusted:<byte value="xd"/>
%1.<byte value="xd"/>
Nothing is offered for download from it.</source>
        <translation>Le catalogue du site de téléchargement n&apos;est pas digne de confiance :<byte value="xd"/>
%1.<byte value="xd"/>
Rien n&apos;y est proposé au téléchargement.</translation>
    </message>
    <message>
        <source>Error updating program!</source>
        <translation>Erreur lors de la mise à jour du programme !</translation>
    </message>
    <message>
        <source>The file %1 could not be downloaded:<byte value="xd"/>
%2.</source>
        <translation>Le fichier %1 n&apos;a pas pu être téléchargé :<byte value="xd"/>
%2.</translation>
    </message>
    <message>
        <source>Are you sure you want to Remove this file from your computer?</source>
        <translation>Voulez-vous vraiment supprimer ce fichier de votre ordinateur ?</translation>
    </message>
    <message>
        <source>Warning: This firmware is no longer available online.<byte value="xd"/>
If you remove it, you will not be able re-download it.<byte value="xd"/>
<byte value="xd"/>
Are you sure you want to Remove this file from your computer?</source>
        <translation>Attention : ce micrologiciel n&apos;est plus disponible en ligne.<byte value="xd"/>
Si vous le supprimez, vous ne pourrez plus le télécharger.<byte value="xd"/>
<byte value="xd"/>
Voulez-vous vraiment supprimer ce fichier de votre ordinateur ?</translation>
    </message>
    <message>
        <source>The file %1 could not be removed:<byte value="xd"/>
%2.</source>
        <translation>Le fichier %1 n&apos;a pas pu être supprimé :<byte value="xd"/>
%2.</translation>
    </message>
    <message>
        <source>The catalogue of the download site lists more firmware than this program can keep.<byte value="xd"/>
Nothing is offered for download from it, and the known versions stay as they were.</source>
        <translation>Le catalogue du site de téléchargement liste plus de micrologiciels que ce programme ne peut en garder.<byte value="xd"/>
Rien n&apos;y est proposé au téléchargement, et les versions connues restent inchangées.</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>Usage: padflasher-cli [global options] COMMAND [options] [arguments]

Updates the firmware of a telescope hand control over a serial cable.

Commands:
</source>
        <translation>Usage : padflasher-cli [options globales] COMMANDE [options] [arguments]

Met à jour le micrologiciel d&apos;une raquette de commande de télescope par un câble série.

Commandes :
</translation>
    </message>
    <message>
        <source>
Global options (before or after the command):
</source>
        <translation>
Options globales (avant ou après la commande) :
</translation>
    </message>
    <message>
        <source>Run &apos;padflasher-cli COMMAND --help&apos; for a command&apos;s own options and arguments.</source>
        <translation>&apos;padflasher-cli COMMANDE --help&apos; affiche les options et arguments d&apos;une commande.</translation>
    </message>
    <message>
        <source>no command given.
Run &apos;padflasher-cli --help&apos; for the list.</source>
        <translation>aucune commande donnée.
&apos;padflasher-cli --help&apos; en affiche la liste.</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;.
Run &apos;padflasher-cli --help&apos; for the list.</source>
        <translation>commande inconnue &apos;%1&apos;.
&apos;padflasher-cli --help&apos; en affiche la liste.</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;; did you mean &apos;%2&apos;?
Run &apos;padflasher-cli --help&apos; for the list.</source>
        <translation>commande inconnue &apos;%1&apos; ; vouliez-vous dire &apos;%2&apos; ?
&apos;padflasher-cli --help&apos; en affiche la liste.</translation>
    </message>
    <message>
        <source>Program folder holding PadFlasher.ini, PadFlasher.ver, ports/ and the firmware files (default: the folder of the executables; installed: ~/.local/share/PadFlasher, settings in ~/.config/PadFlasher).</source>
        <translation>Dossier du programme contenant PadFlasher.ini, PadFlasher.ver, ports/ et les fichiers de micrologiciel (par défaut : le dossier des exécutables ; installé : ~/.local/share/PadFlasher, réglages dans ~/.config/PadFlasher).</translation>
    </message>
    <message>
        <source>No progress; only errors and the result.</source>
        <translation>Pas de progression ; seulement les erreurs et le résultat.</translation>
    </message>
    <message>
        <source>Show each command sent to the hand control and each reply on stderr (block data abbreviated).</source>
        <translation>Afficher sur stderr chaque commande envoyée à la raquette de commande et chaque réponse (données de bloc abrégées).</translation>
    </message>
    <message>
        <source>Write every byte sent and received, with a microsecond time stamp and its direction, to FILE.</source>
        <translation>Écrire dans FICHIER chaque octet envoyé et reçu, avec un horodatage en microsecondes et son sens.</translation>
    </message>
    <message>
        <source>Write debugexe.txt in the current folder (installed without --folder: in ~/.local/state/PadFlasher).</source>
        <translation>Écrire debugexe.txt dans le dossier courant (installé sans --folder : dans ~/.local/state/PadFlasher).</translation>
    </message>
    <message>
        <source>Print the bytes sent and received and the CPU time used at the end.</source>
        <translation>Afficher à la fin les octets envoyés et reçus et le temps processeur utilisé.</translation>
    </message>
    <message>
        <source>Show texts in LANG (en, de, fr) instead of the language of the environment.</source>
        <translation>Afficher les textes en LANG (en, de, fr) au lieu de la langue de l&apos;environnement.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Afficher cette aide.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>Afficher la version du programme.</translation>
    </message>
    <message>
        <source>Usage: padflasher-cli %1

</source>
        <translation>Usage : padflasher-cli %1

</translation>
    </message>
    <message>
        <source>
Arguments:
</source>
        <translation>
Arguments :
</translation>
    </message>
    <message>
        <source>
Options:
</source>
        <translation>
Options :
</translation>
    </message>
    <message>
        <source>
Global options:
</source>
        <translation>
Options globales :
</translation>
    </message>
    <message>
        <source>%1
Try &apos;padflasher-cli %2 --help&apos;.</source>
        <translation>%1
Essayez &apos;padflasher-cli %2 --help&apos;.</translation>
    </message>
    <message>
        <source>--quiet and --verbose exclude each other.</source>
        <translation>--quiet et --verbose s&apos;excluent mutuellement.</translation>
    </message>
    <message>
        <source>missing argument %1
Usage: padflasher-cli %2</source>
        <translation>argument manquant %1
Usage : padflasher-cli %2</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;
Usage: padflasher-cli %2</source>
        <translation>argument inattendu &apos;%1&apos;
Usage : padflasher-cli %2</translation>
    </message>
    <message>
        <source>program folder &apos;%1&apos; does not exist or is not a folder.</source>
        <translation>le dossier du programme &apos;%1&apos; n&apos;existe pas ou n&apos;est pas un dossier.</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>Flashage</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Vérification</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>erasing</source>
        <translation>effacement</translation>
    </message>
    <message>
        <source>programming</source>
        <translation>programmation</translation>
    </message>
    <message>
        <source>checking</source>
        <translation>contrôle</translation>
    </message>
    <message>
        <source>verifying</source>
        <translation>vérification</translation>
    </message>
    <message>
        <source>reading</source>
        <translation>lecture</translation>
    </message>
    <message>
        <source>%1 elapsed, %2 left</source>
        <translation>%1 écoulé, %2 restant</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>%1 (no terminal)</source>
        <translation>%1 (pas de terminal)</translation>
    </message>
    <message>
        <source>(%1 elapsed)</source>
        <translation>(%1 écoulé)</translation>
    </message>
    <message>
        <source>the hand control answered the presence test but not the firmware query.</source>
        <translation>la raquette de commande a répondu au test de présence mais pas à la demande du micrologiciel.</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Code: %1</source>
        <translation>Code : %1</translation>
    </message>
    <message>
        <source>Type: %1</source>
        <translation>Type : %1</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version : %1</translation>
    </message>
    <message>
        <source>Tests that the hand control answers in programming mode and shows the firmware it holds: its code, and its type and version from PadFlasher.ver.</source>
        <translation>Vérifie que la raquette de commande répond en mode programmation et affiche son micrologiciel : son code, ainsi que son type et sa version d&apos;après PadFlasher.ver.</translation>
    </message>
    <message>
        <source>test for the hand control and show its firmware</source>
        <translation>détecter la raquette de commande et afficher son micrologiciel</translation>
    </message>
    <message>
        <source>Contents are Identical</source>
        <translation>Les contenus sont identiques</translation>
    </message>
    <message>
        <source>no backup, so nothing was erased.</source>
        <translation>pas de sauvegarde, donc rien n&apos;a été effacé.</translation>
    </message>
    <message>
        <source>Backup written to %1</source>
        <translation>Sauvegarde écrite dans %1</translation>
    </message>
    <message>
        <source>programming failed; the hand control stays in programming mode, so flash it again.</source>
        <translation>échec de la programmation ; la raquette de commande reste en mode programmation, flashez-la donc à nouveau.</translation>
    </message>
    <message>
        <source>Verification after programming: none (default; the check phase already compared every block&apos;s sum), fast, or full (every byte).</source>
        <translation>Vérification après la programmation : none (par défaut ; la phase de contrôle a déjà comparé la somme de chaque bloc), fast ou full (chaque octet).</translation>
    </message>
    <message>
        <source>First read the hand control&apos;s current firmware into FILE.</source>
        <translation>Lire d&apos;abord le micrologiciel actuel de la raquette de commande dans FILE.</translation>
    </message>
    <message>
        <source>Program an image whose code PadFlasher.ver does not list.</source>
        <translation>Programmer une image dont PadFlasher.ver ne liste pas le code.</translation>
    </message>
    <message>
        <source>Firmware image file (262144 bytes).</source>
        <translation>Fichier image du micrologiciel (262144 octets).</translation>
    </message>
    <message>
        <source>--verify takes none, fast or full, not &apos;%1&apos;.</source>
        <translation>--verify accepte none, fast ou full, pas &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Compares the hand control with IMAGE: every byte of every written block, or with --fast each block&apos;s 8-bit sum (which misses two exchanged bytes).</source>
        <translation>Compare la raquette de commande avec IMAGE : chaque octet de chaque bloc écrit, ou avec --fast la somme sur 8 bits de chaque bloc (qui ne voit pas deux octets échangés).</translation>
    </message>
    <message>
        <source>Compare block sums only.</source>
        <translation>Comparer seulement les sommes des blocs.</translation>
    </message>
    <message>
        <source>program the hand control with an image</source>
        <translation>programmer la raquette de commande avec une image</translation>
    </message>
    <message>
        <source>compare the hand control with an image</source>
        <translation>comparer la raquette de commande avec une image</translation>
    </message>
    <message>
        <source>read the hand control&apos;s firmware into a file</source>
        <translation>lire le micrologiciel de la raquette de commande dans un fichier</translation>
    </message>
    <message>
        <source>list the serial devices and their COM names; assign or unassign a COM name</source>
        <translation>lister les appareils série et leurs noms COM ; attribuer ou retirer un nom COM</translation>
    </message>
    <message>
        <source>The device %1 does not exist: check the cable or the USB-serial adapter, or list the ports with &apos;padflasher-cli ports&apos;.</source>
        <translation>L&apos;appareil %1 n&apos;existe pas : vérifiez le câble ou l&apos;adaptateur USB-série, ou listez les ports avec &apos;padflasher-cli ports&apos;.</translation>
    </message>
    <message>
        <source>Permission denied on %1: %2.</source>
        <translation>Accès refusé à %1 : %2.</translation>
    </message>
    <message>
        <source>%1 is in use by another program: close it and try again.</source>
        <translation>%1 est utilisé par un autre programme : fermez-le et réessayez.</translation>
    </message>
    <message>
        <source>Could not open %1.</source>
        <translation>Impossible d&apos;ouvrir %1.</translation>
    </message>
    <message>
        <source>Could not open %1: %2.</source>
        <translation>Impossible d&apos;ouvrir %1 : %2.</translation>
    </message>
    <message>
        <source>cannot write the trace %1: %2</source>
        <translation>impossible d&apos;écrire la trace %1 : %2</translation>
    </message>
    <message>
        <source>%1; the trace is incomplete.</source>
        <translation>%1 ; la trace est incomplète.</translation>
    </message>
    <message>
        <source>At the end print one JSON document on stdout (result, exit code, port, device, firmware, seconds, bytes; see the README); result lines go to stderr instead.</source>
        <translation>Afficher à la fin un document JSON sur stdout (résultat, code de sortie, port, appareil, micrologiciel, secondes, octets ; voir le README) ; les lignes de résultat vont alors sur stderr.</translation>
    </message>
    <message>
        <source>no serial port given: use --port COMn or --port /dev/ttyUSB0 (or set COMPORT in PadFlasher.ini).</source>
        <translation>aucun port série donné : utilisez --port COMn ou --port /dev/ttyUSB0 (ou réglez COMPORT dans PadFlasher.ini).</translation>
    </message>
    <message>
        <source>%1 does not stand for any serial device on this machine; list the ports with &apos;padflasher-cli ports&apos; or give a device path.</source>
        <translation>%1 ne désigne aucun appareil série sur cette machine ; listez les ports avec &apos;padflasher-cli ports&apos; ou donnez un chemin de périphérique.</translation>
    </message>
    <message>
        <source>Error Opening COM Port %1. %2</source>
        <translation>Erreur à l&apos;ouverture du port COM %1. %2</translation>
    </message>
    <message>
        <source>the hand control on %1 did not answer. Nothing was changed.</source>
        <translation>la raquette de commande sur %1 n&apos;a pas répondu. Rien n&apos;a été modifié.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 n&apos;existe pas.</translation>
    </message>
    <message>
        <source>%1 has %2 bytes; a firmware image has %3.</source>
        <translation>%1 fait %2 octets ; une image de micrologiciel en fait %3.</translation>
    </message>
    <message>
        <source>%1 lacks the signature 55 AA at offset 0xFFE0; it is not a firmware image.</source>
        <translation>%1 n&apos;a pas la signature 55 AA à l&apos;offset 0xFFE0 ; ce n&apos;est pas une image de micrologiciel.</translation>
    </message>
    <message>
        <source>reading cancelled by user.</source>
        <translation>lecture annulée par l&apos;utilisateur.</translation>
    </message>
    <message>
        <source>reading the hand control failed at bank %1, block %2.</source>
        <translation>la lecture de la raquette de commande a échoué à la banque %1, bloc %2.</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2.</source>
        <translation>impossible d&apos;écrire %1 : %2.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no port name: use COM1 to COM16.</source>
        <translation>&apos;%1&apos; n&apos;est pas un nom de port : utilisez COM1 à COM16.</translation>
    </message>
    <message>
        <source>%1 is not a link; remove or rename it by hand.</source>
        <translation>%1 n&apos;est pas un lien ; supprimez-le ou renommez-le à la main.</translation>
    </message>
    <message>
        <source>cannot remove %1: %2</source>
        <translation>impossible de supprimer %1 : %2</translation>
    </message>
    <message>
        <source>give the device for %1 (e.g. ttyUSB0 or /dev/serial/by-id/...), not a COM name.</source>
        <translation>donnez l&apos;appareil pour %1 (par ex. ttyUSB0 ou /dev/serial/by-id/...), pas un nom COM.</translation>
    </message>
    <message>
        <source>%1 does not exist. List the devices with &apos;padflasher-cli ports&apos;.</source>
        <translation>%1 n&apos;existe pas. Listez les appareils avec &apos;padflasher-cli ports&apos;.</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>impossible de créer %1</translation>
    </message>
    <message>
        <source>cannot create a link in %1: %2</source>
        <translation>impossible de créer un lien dans %1 : %2</translation>
    </message>
    <message>
        <source>%1 has no link in %2/ports.</source>
        <translation>%1 n&apos;a pas de lien dans %2/ports.</translation>
    </message>
    <message>
        <source>%1 unassigned; it now stands for %2.</source>
        <translation>%1 retiré ; il désigne maintenant %2.</translation>
    </message>
    <message>
        <source>%1 unassigned; it now stands for %2, which is not present.</source>
        <translation>%1 retiré ; il désigne maintenant %2, qui n&apos;est pas présent.</translation>
    </message>
    <message>
        <source>Lists the serial devices of this machine, one per line: the COM name that leads to it (or -), the device, the USB adapter&apos;s description, manufacturer, VID:PID and serial number, and its stable /dev/serial/by-id name. &apos;assign&apos; links ports/COMn in the program folder to DEVICE (by its by-id name when it has one, so the name survives replugging); &apos;unassign&apos; removes that link.</source>
        <translation>Liste les appareils série de cette machine, un par ligne : le nom COM qui y mène (ou -), l&apos;appareil, la description, le fabricant, le VID:PID et le numéro de série de l&apos;adaptateur USB, et son nom stable sous /dev/serial/by-id. &apos;assign&apos; relie ports/COMn du dossier du programme à DEVICE (par son nom by-id s&apos;il en a un, pour que le nom survive à un rebranchement) ; &apos;unassign&apos; supprime ce lien.</translation>
    </message>
    <message>
        <source>Print the list as a JSON array.</source>
        <translation>Afficher la liste sous forme de tableau JSON.</translation>
    </message>
    <message>
        <source>Give a COM name to a device, or take it back.</source>
        <translation>Donner un nom COM à un appareil, ou le lui retirer.</translation>
    </message>
    <message>
        <source>usage: padflasher-cli ports assign COMn DEVICE, or ports unassign COMn.</source>
        <translation>usage : padflasher-cli ports assign COMn APPAREIL, ou ports unassign COMn.</translation>
    </message>
    <message>
        <source>stopped by the user; PadFlasher.ver is unchanged.</source>
        <translation>arrêté par l&apos;utilisateur ; PadFlasher.ver est inchangé.</translation>
    </message>
    <message>
        <source>the catalogue of %1 is refused: %2; PadFlasher.ver is unchanged.</source>
        <translation>le catalogue de %1 est refusé : %2 ; PadFlasher.ver est inchangé.</translation>
    </message>
    <message>
        <source>PadFlasher.ver could not be rewritten (%1); it keeps its old contents.</source>
        <translation>PadFlasher.ver n&apos;a pas pu être réécrit (%1) ; il garde son ancien contenu.</translation>
    </message>
    <message>
        <source>the password in URL of PadFlasher.ini (%1) holds a bare &apos;@&apos; or &apos;/&apos;; write them as %2 and %3.</source>
        <translation>le mot de passe dans URL de PadFlasher.ini (%1) contient un &apos;@&apos; ou un &apos;/&apos; nu ; écrivez-les %2 et %3.</translation>
    </message>
    <message>
        <source>the download address &apos;%1&apos; has no host name; check URL in PadFlasher.ini.</source>
        <translation>l&apos;adresse de téléchargement &apos;%1&apos; n&apos;a pas de nom d&apos;hôte ; vérifiez URL dans PadFlasher.ini.</translation>
    </message>
    <message>
        <source>the reply from %1 is not a catalogue (no &quot;@&quot; or &quot;$&quot; line); PadFlasher.ver is unchanged.</source>
        <translation>la réponse de %1 n&apos;est pas un catalogue (aucune ligne &quot;@&quot; ou &quot;$&quot;) ; PadFlasher.ver est inchangé.</translation>
    </message>
    <message>
        <source>Fetches the catalogue at URL of PadFlasher.ini, refreshes PadFlasher.ver from it and lists the firmware images of the site and of the program folder: base name, date, size, Local or Remote.</source>
        <translation>Récupère le catalogue à l&apos;adresse URL de PadFlasher.ini, met à jour PadFlasher.ver à partir de lui et liste les images de micrologiciel du site et du dossier du programme : nom de base, date, taille, Local ou Distant.</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Distant</translation>
    </message>
    <message>
        <source>Downloads the firmware image NAME (its base name, as the catalogue lists it) with its description into the program folder, dated as the catalogue says.</source>
        <translation>Télécharge l&apos;image de micrologiciel NAME (son nom de base, tel que le catalogue le liste) avec sa description dans le dossier du programme, datée comme l&apos;indique le catalogue.</translation>
    </message>
    <message>
        <source>Base name of the firmware image, e.g. HC200.</source>
        <translation>Nom de base de l&apos;image de micrologiciel, par ex. HC200.</translation>
    </message>
    <message>
        <source>the catalogue of %1 offers no firmware named %2.</source>
        <translation>le catalogue de %1 ne propose aucun micrologiciel nommé %2.</translation>
    </message>
    <message>
        <source>%1 is already in the program folder; remove it first to download it again.</source>
        <translation>%1 est déjà dans le dossier du programme ; supprimez-le d&apos;abord pour le télécharger à nouveau.</translation>
    </message>
    <message>
        <source>Downloading %1 : </source>
        <translation>Téléchargement de %1 : </translation>
    </message>
    <message>
        <source>download stopped by the user; nothing was saved.</source>
        <translation>téléchargement arrêté par l&apos;utilisateur ; rien n&apos;a été enregistré.</translation>
    </message>
    <message>
        <source>nothing was saved: %1.</source>
        <translation>rien n&apos;a été enregistré : %1.</translation>
    </message>
    <message>
        <source>Downloaded %1 and %2.txt (%3) into %4</source>
        <translation>%1 et %2.txt (%3) téléchargés dans %4</translation>
    </message>
    <message>
        <source>verifying failed: 1 block differs from the image.</source>
        <translation>vérification échouée : 1 bloc diffère de l&apos;image.</translation>
    </message>
    <message>
        <source>verifying failed: %1 blocks differ from the image.</source>
        <translation>vérification échouée : %1 blocs diffèrent de l&apos;image.</translation>
    </message>
    <message>
        <source>Programmed and checked by block sums and by reading every block back.</source>
        <translation>Programmé et contrôlé par les sommes des blocs et en relisant chaque bloc.</translation>
    </message>
    <message>
        <source>Programmed and checked by block sums.</source>
        <translation>Programmé et contrôlé par les sommes des blocs.</translation>
    </message>
    <message>
        <source>programming failed: the check found blocks that differ from the image (%1); the hand control stays in programming mode, so flash it again.</source>
        <translation>programmation échouée : le contrôle a trouvé des blocs qui diffèrent de l&apos;image (%1) ; la raquette de commande reste en mode programmation, flashez-la donc à nouveau.</translation>
    </message>
    <message>
        <source>Read %1 bytes into %2</source>
        <translation>%1 octets lus dans %2</translation>
    </message>
    <message>
        <source>The README and the other documents lie in %1 once installed; see also the manual page padflasher-cli(1).</source>
        <translation>Le README et les autres documents se trouvent dans %1 une fois installés ; voir aussi la page de manuel padflasher-cli(1).</translation>
    </message>
    <message>
        <source>no USB adapter is %1; none is plugged in.</source>
        <translation>aucun adaptateur USB n&apos;est %1 ; aucun n&apos;est branché.</translation>
    </message>
    <message>
        <source>no USB adapter is %1; plugged in: %2.</source>
        <translation>aucun adaptateur USB n&apos;est %1 ; branchés : %2.</translation>
    </message>
    <message>
        <source>%1 is %2 adapters: %3; name one with its serial number.</source>
        <translation>%1 désigne %2 adaptateurs : %3 ; nommez-en un avec son numéro de série.</translation>
    </message>
    <message>
        <source>the port name is empty: give a COM name, a device such as /dev/ttyUSB0, or usb:VID:PID.</source>
        <translation>le nom du port est vide : donnez un nom COM, un périphérique comme /dev/ttyUSB0 ou usb:VID:PID.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; names no USB adapter: use usb:VID:PID or usb:VID:PID:SERIAL with the hexadecimal ids &apos;padflasher-cli ports&apos; shows.</source>
        <translation>&apos;%1&apos; ne désigne aucun adaptateur USB : utilisez usb:VID:PID ou usb:VID:PID:SERIAL avec les identifiants hexadécimaux qu&apos;affiche &apos;padflasher-cli ports&apos;.</translation>
    </message>
    <message>
        <source>no device &apos;%1&apos; in %2/ or %2/serial/by-id/; list the ports with &apos;padflasher-cli ports&apos;.</source>
        <translation>aucun périphérique &apos;%1&apos; dans %2/ ni dans %2/serial/by-id/ ; listez les ports avec &apos;padflasher-cli ports&apos;.</translation>
    </message>
    <message>
        <source>%1 is a terminal of this computer, not a serial port: the hand control&apos;s protocol would go to the screen. List the devices with &apos;padflasher-cli ports&apos;.</source>
        <translation>%1 est un terminal de cet ordinateur, pas un port série : le protocole de la raquette de commande irait à l&apos;écran. Listez les périphériques avec &apos;padflasher-cli ports&apos;.</translation>
    </message>
    <message>
        <source>%1 is the pseudo-terminal multiplexer, not a serial port; give the pseudo-terminal itself (/dev/pts/N). List the devices with &apos;padflasher-cli ports&apos;.</source>
        <translation>%1 est le multiplexeur de pseudo-terminaux, pas un port série ; donnez le pseudo-terminal lui-même (/dev/pts/N). Listez les périphériques avec &apos;padflasher-cli ports&apos;.</translation>
    </message>
    <message>
        <source>%1 is not a serial device. List the devices with &apos;padflasher-cli ports&apos;.</source>
        <translation>%1 n&apos;est pas un périphérique série. Listez les périphériques avec &apos;padflasher-cli ports&apos;.</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>impossible de créer %1 : %2</translation>
    </message>
    <message>
        <source>will not write %1: it is one of the program&apos;s own files.</source>
        <translation>%1 ne sera pas écrit : c&apos;est l&apos;un des fichiers du programme.</translation>
    </message>
    <message>
        <source>will not write %1: it %2.</source>
        <translation>%1 ne sera pas écrit : it %2.</translation>
    </message>
    <message>
        <source>the catalogue of %1 holds more firmware and program lines than %2; it is refused and PadFlasher.ver is unchanged.</source>
        <translation>le catalogue de %1 contient plus de lignes de micrologiciel et de programme que %2 ; il est refusé et PadFlasher.ver reste inchangé.</translation>
    </message>
    <message>
        <source>padflasher-cli: stopped at once; a hand control being programmed stays in programming mode.</source>
        <translation>padflasher-cli : arrêté immédiatement ; une raquette de commande en cours de programmation reste en mode programmation.</translation>
    </message>
    <message>
        <source>padflasher-cli: cancel requested; stopping at the next safe point (press Ctrl-C again to stop at once).</source>
        <translation>padflasher-cli : annulation demandée ; arrêt au prochain point sûr (appuyez de nouveau sur Ctrl-C pour arrêter immédiatement).</translation>
    </message>
    <message>
        <source>the port %1 is given twice.</source>
        <translation>le port %1 est indiqué deux fois.</translation>
    </message>
    <message>
        <source>Erases the hand control and programs it with IMAGE, then checks every written block&apos;s sum. Without a terminal, questions are answered by a fixed policy: a block is retried twice, differences are all listed and fail the command. With several ports that policy answers for each of them, so an image PadFlasher.ver does not list needs --yes up front.</source>
        <translation>Efface la raquette et la programme avec IMAGE, puis contrôle la somme de chaque bloc écrit. Sans terminal, une règle fixe répond aux questions : un bloc est réessayé deux fois, les différences sont toutes listées et font échouer la commande. Avec plusieurs ports, cette règle répond pour chacun d&apos;eux ; une image que PadFlasher.ver ne liste pas demande donc --yes dès l&apos;appel.</translation>
    </message>
    <message>
        <source>Reads the blocks that programming writes into OUT, a 262144-byte image with 0xFF elsewhere: a backup that &apos;flash&apos; can write back. With several ports OUT is a folder that receives one file per port, named after it (COM3.bin, ttyUSB0.bin).</source>
        <translation>Lit les blocs qu&apos;écrit la programmation dans OUT, une image de 262144 octets avec 0xFF ailleurs : une sauvegarde que « flash » peut réécrire. Avec plusieurs ports, OUT est un dossier qui reçoit un fichier par port, nommé d&apos;après lui (COM3.bin, ttyUSB0.bin).</translation>
    </message>
    <message>
        <source>Image file to write (replaced only when the read succeeds), or with several ports the folder for their files.</source>
        <translation>Fichier image à écrire (remplacé seulement si la lecture réussit), ou avec plusieurs ports le dossier de leurs fichiers.</translation>
    </message>
    <message>
        <source>with several ports OUT is the folder for their files, and %1 is no folder.</source>
        <translation>avec plusieurs ports, OUT est le dossier de leurs fichiers, et %1 n&apos;est pas un dossier.</translation>
    </message>
    <message>
        <source>Exit codes: 0 success; 1 the hand control did not answer, failed, or differs; 2 bad usage or a bad input file; 130 cancelled by the user (Ctrl-C). With several ports: 0 only when every port succeeded, else the worst of them, 130 before 1 before 2.</source>
        <translation>Codes de sortie : 0 succès ; 1 la raquette n&apos;a pas répondu, a échoué ou diffère ; 2 mauvais usage ou fichier d&apos;entrée incorrect ; 130 annulé par l&apos;utilisateur (Ctrl-C). Avec plusieurs ports : 0 seulement si chaque port a réussi, sinon le pire d&apos;entre eux, 130 avant 1 avant 2.</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>bad input</source>
        <translation>entrée incorrecte</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>annulé</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échec</translation>
    </message>
    <message>
        <source>starting</source>
        <translation>démarrage</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Secondes</translation>
    </message>
    <message>
        <source>How it ended</source>
        <translation>Comment cela a fini</translation>
    </message>
    <message>
        <source>ended without a report</source>
        <translation>terminé sans rapport</translation>
    </message>
    <message>
        <source>All %1 hand controls succeeded.</source>
        <translation>Les %1 raquettes ont toutes réussi.</translation>
    </message>
    <message>
        <source>%1 of %2 hand controls did not succeed: %3.</source>
        <translation>%1 raquette(s) sur %2 sans succès : %3.</translation>
    </message>
    <message>
        <source>Serial port: a COM name (COM1-COM16, resolved through ports/ in the program folder first), a device path such as /dev/ttyUSB0, a kernel name such as ttyUSB0, a name from /dev/serial/by-id, or usb:VID:PID[:SERIAL] for the one USB adapter with that identity. Default: COMPORT of PadFlasher.ini. Given more than once, the command runs on every port at once, each in a process of its own with its own debug log and trace (named after the port; see the README), and no question is asked: the no-terminal policy answers for each.</source>
        <translation>Port série : un nom COM (COM1-COM16, résolu d&apos;abord par ports/ dans le dossier du programme), un chemin de périphérique comme /dev/ttyUSB0, un nom du noyau comme ttyUSB0, un nom de /dev/serial/by-id, ou usb:VID:PID[:SERIAL] pour l&apos;unique adaptateur USB de cette identité. Par défaut : COMPORT de PadFlasher.ini. Indiqué plusieurs fois, la commande s&apos;exécute sur tous les ports à la fois, chacun dans un processus à lui avec son propre journal de débogage et sa propre trace (nommés d&apos;après le port ; voir le README), et aucune question n&apos;est posée : la règle sans terminal répond pour chacun.</translation>
    </message>
    <message>
        <source>PUBLICKEY is not a minisign public key (it is the second line of a minisign .pub file, starting &quot;RW&quot;); nothing was fetched and PadFlasher.ver is unchanged.</source>
        <translation>PUBLICKEY n&apos;est pas une clé publique minisign (c&apos;est la deuxième ligne d&apos;un fichier .pub de minisign, commençant par &quot;RW&quot;) ; rien n&apos;a été téléchargé et PadFlasher.ver est inchangé.</translation>
    </message>
    <message>
        <source>no catalogue came from %1; PadFlasher.ver is unchanged.</source>
        <translation>aucun catalogue n&apos;est venu de %1 ; PadFlasher.ver est inchangé.</translation>
    </message>
    <message>
        <source>no catalogue came from %1: %2; PadFlasher.ver is unchanged.</source>
        <translation>aucun catalogue n&apos;est venu de %1 : %2 ; PadFlasher.ver est inchangé.</translation>
    </message>
</context>
<context>
    <name>Console</name>
    <message>
        <source>Hand Control must be placed into Programming Mode:<byte value="xd"/>
<byte value="xd"/>
Hold down both the Undo and Info keys while<byte value="xd"/>
powering on the Quorrel kit.  When the Hand Control<byte value="xd"/>
displays &apos;Initializing...&apos;, release the buttons.<byte value="xd"/>
At this point, the display should show<byte value="xd"/>
&apos;Transmit Data...&apos;  Once it does, run the<byte value="xd"/>
command again.</source>
        <translation>La raquette de commande doit être mise en mode programmation :<byte value="xd"/>
<byte value="xd"/>
Maintenez les touches Undo et Info enfoncées<byte value="xd"/>
pendant la mise sous tension du kit Quorrel. Quand la raquette<byte value="xd"/>
affiche &apos;Initializing...&apos;, relâchez les touches.<byte value="xd"/>
L&apos;affichage doit alors indiquer<byte value="xd"/>
&apos;Transmit Data...&apos;. Dès que c&apos;est le cas, relancez<byte value="xd"/>
la commande.</translation>
    </message>
    <message>
        <source>The connection to the hand control on %1 was lost.<byte value="xd"/>
<byte value="xd"/>
Check the cable and the serial adapter, then run the command again (&apos;padflasher-cli ports&apos; lists the serial devices).</source>
        <translation>La liaison avec la raquette de commande sur %1 a été perdue.<byte value="xd"/>
<byte value="xd"/>
Vérifiez le câble et l&apos;adaptateur série, puis relancez la commande (&apos;padflasher-cli ports&apos; liste les appareils série).</translation>
    </message>
    <message>
        <source>Warning: Firmware file is not supported with this version of the program.

The image&apos;s code %1 is not listed in PadFlasher.ver. &apos;padflasher-cli catalogue&apos; refreshes that list from the download site and &apos;padflasher-cli download NAME&apos; fetches a more current image; to program this one anyway, add --yes.</source>
        <translation>Attention : le fichier de micrologiciel n&apos;est pas pris en charge par cette version du programme.

Le code %1 de l&apos;image ne figure pas dans PadFlasher.ver. &apos;padflasher-cli catalogue&apos; met cette liste à jour depuis le site de téléchargement et &apos;padflasher-cli download NOM&apos; récupère une image plus récente ; pour programmer celle-ci malgré tout, ajoutez --yes.</translation>
    </message>
    <message>
        <source>verifying failed at bank %1, block %2.</source>
        <translation>vérification échouée à la banque %1, bloc %2.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site: %1.<byte value="xd"/>
Check your Internet connection and firewall settings.</source>
        <translation>Impossible de se connecter au site de téléchargement de Corvane : %1.<byte value="xd"/>
Vérifiez votre connexion Internet et les réglages du pare-feu.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site: the connection is not secure: %1.</source>
        <translation>Impossible de se connecter au site de téléchargement de Corvane : la connexion n&apos;est pas sûre : %1.</translation>
    </message>
    <message>
        <source>The reply of the Corvane download site was refused: %1.</source>
        <translation>La réponse du site de téléchargement de Corvane a été refusée : %1.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site: the user is unauthorised (check the user name and password in URL of PadFlasher.ini).</source>
        <translation>Impossible de se connecter au site de téléchargement de Corvane : l&apos;utilisateur n&apos;est pas autorisé (vérifiez le nom d&apos;utilisateur et le mot de passe dans URL de PadFlasher.ini).</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>%1 Help</source>
        <translation>Aide de %1</translation>
    </message>
</context>
<context>
    <name>Identity</name>
    <message>
        <source>Unknown</source>
        <translation>Inconnu</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version : %1</translation>
    </message>
    <message>
        <source>Type: %1</source>
        <translation>Type : %1</translation>
    </message>
    <message>
        <source>CSUM: %1</source>
        <translation>CSUM : %1</translation>
    </message>
    <message>
        <source>No COM port specified!</source>
        <translation>Aucun port COM indiqué !</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Fichier : %1</translation>
    </message>
    <message>
        <source>Hand Control</source>
        <translation>Raquette de commande</translation>
    </message>
    <message>
        <source>EXE Version: %1</source>
        <translation>Version EXE : %1</translation>
    </message>
</context>
<context>
    <name>Link</name>
    <message>
        <source>Hand Control must be placed into Programming Mode:<byte value="xd"/>
<byte value="xd"/>
Hold down both the Undo and Info keys while<byte value="xd"/>
powering on the Quorrel kit.  When the Hand Control<byte value="xd"/>
displays &apos;Initializing...&apos;, release the buttons.<byte value="xd"/>
At this point, the display should show<byte value="xd"/>
&apos;Transmit Data...&apos;  Once it does, click on the<byte value="xd"/>
Next button to proceed.</source>
        <translation>La raquette de commande doit être mise<byte value="xd"/>
en mode programmation :<byte value="xd"/>
<byte value="xd"/>
Maintenez les touches Undo et Info enfoncées<byte value="xd"/>
pendant la mise sous tension du kit Quorrel.<byte value="xd"/>
Quand la raquette affiche &apos;Initializing...&apos;,<byte value="xd"/>
relâchez les touches. L&apos;affichage doit alors<byte value="xd"/>
indiquer &apos;Transmit Data...&apos;. Dès que c&apos;est<byte value="xd"/>
le cas, cliquez sur Suivant pour continuer.</translation>
    </message>
    <message>
        <source>Error Opening COM Port</source>
        <translation>Erreur à l&apos;ouverture du port COM</translation>
    </message>
    <message>
        <source>The connection to the hand control on %1 was lost.<byte value="xd"/>
<byte value="xd"/>
Check the cable and the serial adapter, then choose the COM port again.</source>
        <translation>La liaison avec la raquette de commande sur %1 a été perdue.<byte value="xd"/>
<byte value="xd"/>
Vérifiez le câble et l&apos;adaptateur série, puis choisissez à nouveau le port COM.</translation>
    </message>
    <message>
        <source>No response from HC</source>
        <translation>Pas de réponse de la raquette de commande</translation>
    </message>
    <message>
        <source>Cancelling Programming at this stage would leave the device in Program mode<byte value="xd"/>
making the firmware unusable until reprogrammed!<byte value="xd"/>
<byte value="xd"/>
Are you sure you want to Cancel Programming?</source>
        <translation>Annuler la programmation à ce stade laisserait l&apos;appareil en mode programmation,<byte value="xd"/>
le micrologiciel restant inutilisable jusqu&apos;à une nouvelle programmation !<byte value="xd"/>
<byte value="xd"/>
Voulez-vous vraiment annuler la programmation ?</translation>
    </message>
    <message>
        <source>Programming cancelled by user</source>
        <translation>Programmation annulée par l&apos;utilisateur</translation>
    </message>
    <message>
        <source>An Error occurred Programming Data at Block: %1<byte value="xd"/>
<byte value="xd"/>
You may be able to recover by Retrying.<byte value="xd"/>
<byte value="xd"/>
Would you like to Retry Block?</source>
        <translation>Une erreur s&apos;est produite lors de la programmation des données au bloc : %1<byte value="xd"/>
<byte value="xd"/>
Une nouvelle tentative peut permettre de récupérer.<byte value="xd"/>
<byte value="xd"/>
Voulez-vous réessayer le bloc ?</translation>
    </message>
    <message>
        <source>Verify cancelled by user</source>
        <translation>Vérification annulée par l&apos;utilisateur</translation>
    </message>
    <message>
        <source>Verify Cancelled by User</source>
        <translation>Vérification annulée par l&apos;utilisateur</translation>
    </message>
    <message>
        <source>Error Verifying Data at Bank: %1, Block: %2</source>
        <translation>Erreur de vérification des données à la banque : %1, bloc : %2</translation>
    </message>
    <message>
        <source>Found Difference at Bank: %1, Block: %2<byte value="xd"/>
<byte value="xd"/>
Continue?</source>
        <translation>Différence trouvée à la banque : %1, bloc : %2<byte value="xd"/>
<byte value="xd"/>
Continuer ?</translation>
    </message>
    <message>
        <source>Error Reading Data at Bank: %1, Block: %2</source>
        <translation>Erreur de lecture des données à la banque : %1, bloc : %2</translation>
    </message>
    <message>
        <source>Error: Firmware file not found!</source>
        <translation>Erreur : fichier de micrologiciel introuvable !</translation>
    </message>
    <message>
        <source>Error: Firmware file is not a regular file!</source>
        <translation>Erreur : le fichier de micrologiciel n&apos;est pas un fichier ordinaire !</translation>
    </message>
    <message>
        <source>Error: Firmware file cannot be read!</source>
        <translation>Erreur : le fichier de micrologiciel ne peut pas être lu !</translation>
    </message>
    <message>
        <source>Error: Firmware file wrong size!</source>
        <translation>Erreur : taille du fichier de micrologiciel incorrecte !</translation>
    </message>
    <message>
        <source>Error: Firmware file invalid!</source>
        <translation>Erreur : fichier de micrologiciel invalide !</translation>
    </message>
    <message>
        <source>Warning: Firmware file is not supported with this version of the program.<byte value="xd"/>
<byte value="xd"/>
You may want to go back and click on Web Updates to download a more current version.<byte value="xd"/>
<byte value="xd"/>
Do you wish to proceed anyhow?</source>
        <translation>Attention : le fichier de micrologiciel n&apos;est pas pris en charge par cette version du programme.<byte value="xd"/>
<byte value="xd"/>
Vous pouvez revenir en arrière et cliquer sur Mises à jour Web pour télécharger une version plus récente.<byte value="xd"/>
<byte value="xd"/>
Voulez-vous continuer malgré tout ?</translation>
    </message>
    <message>
        <source>Erasing Flash Memory ... please wait (9 secs) : %1%</source>
        <translation>Effacement du flash ... patientez (9 s) : %1%</translation>
    </message>
    <message>
        <source>Programming Hand Control : %1%</source>
        <translation>Programmation de la raquette : %1%</translation>
    </message>
    <message>
        <source>Programming Complete : %1%</source>
        <translation>Programmation terminée : %1%</translation>
    </message>
    <message>
        <source>Verifying Hand Control : %1%</source>
        <translation>Vérification de la raquette : %1%</translation>
    </message>
    <message>
        <source>Reading Hand Control : %1%</source>
        <translation>Lecture de la raquette : %1%</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>Usage: %1 [--help] [--version]

Updates the firmware of a telescope hand control over a serial cable: a wizard leads from the
choice of the port and the firmware image to programming and verifying.
For a terminal or a script: padflasher-cli --help.

  -h, --help     show this help and exit
  -V, --version  show the program&apos;s version and exit
</source>
        <translation>Usage : %1 [--help] [--version]

Met à jour le micrologiciel d&apos;une raquette de commande de télescope par un câble série :
un assistant mène du choix du port et du fichier de micrologiciel à la programmation
et à la vérification.
Pour un terminal ou un script : padflasher-cli --help.

  -h, --help     afficher cette aide et quitter
  -V, --version  afficher la version du programme et quitter
</translation>
    </message>
</context>
<context>
    <name>Pages</name>
    <message>
        <source>No COM port was specified!</source>
        <translation>Aucun port COM n&apos;a été indiqué !</translation>
    </message>
    <message>
        <source>Please choose a firmware file</source>
        <translation>Veuillez choisir un fichier de micrologiciel</translation>
    </message>
    <message>
        <source>Programming Complete<byte value="xd"/>
<byte value="xd"/>
After exiting PadFlasher, turn the Quorrel kit power off and then back on.<byte value="xd"/>
The Hand Control should now be updated and ready to go.<byte value="xd"/>
Check the Hand Control Version using the Utilities menu.</source>
        <translation>Programmation terminée<byte value="xd"/>
<byte value="xd"/>
Après avoir quitté PadFlasher, éteignez puis rallumez le kit Quorrel.<byte value="xd"/>
La raquette de commande devrait maintenant être à jour et prête à l&apos;emploi.<byte value="xd"/>
Vérifiez la version de la raquette dans le menu Utilities.</translation>
    </message>
    <message>
        <source>Fast Verify Only?</source>
        <translation>Vérification rapide seulement ?</translation>
    </message>
    <message>
        <source>Verify Mode:</source>
        <translation>Mode de vérification :</translation>
    </message>
    <message>
        <source>Contents are Identical</source>
        <translation>Les contenus sont identiques</translation>
    </message>
    <message>
        <source>%1 is one of PadFlasher&apos;s own files, not a firmware file.</source>
        <translation>%1 est un des fichiers propres à PadFlasher, pas un fichier de firmware.</translation>
    </message>
    <message>
        <source>The program folder already holds a different firmware file named %1.<byte value="xd"/>
<byte value="xd"/>
Do you want to replace it?</source>
        <translation>Le dossier du programme contient déjà un autre fichier de firmware nommé %1.<byte value="xd"/>
<byte value="xd"/>
Voulez-vous le remplacer ?</translation>
    </message>
    <message>
        <source>The firmware file could not be copied to %1:<byte value="xd"/>
%2.</source>
        <translation>Le fichier de firmware n&apos;a pas pu être copié vers %1 :<byte value="xd"/>
%2.</translation>
    </message>
</context>
<context>
    <name>SerialPort</name>
    <message>
        <source>does not exist</source>
        <translation>n&apos;existe pas</translation>
    </message>
    <message>
        <source>the device is busy: another program has it open</source>
        <translation>le périphérique est occupé : un autre programme l&apos;a ouvert</translation>
    </message>
    <message>
        <source>permission denied: %1 belongs to group %2; %3</source>
        <translation>permission refusée : %1 appartient au groupe %2 ; %3</translation>
    </message>
    <message>
        <source>add yourself with sudo usermod -aG %1 $USER and log in again</source>
        <translation>ajoutez-vous avec sudo usermod -aG %1 $USER et reconnectez-vous</translation>
    </message>
</context>
<context>
    <name>Step1</name>
    <message>
        <source>Welcome to the Corvane Instruments<byte value="xd"/>
Hand Control Update Program</source>
        <translation>Bienvenue dans le programme Corvane Instruments<byte value="xd"/>
de mise à jour de la raquette de commande</translation>
    </message>
    <message>
        <source>This program allows you to download new firmware from the Corvane website and update your hand control with the latest firmware available.</source>
        <translation>Ce programme vous permet de télécharger un nouveau micrologiciel depuis le site de Corvane et de mettre à jour votre raquette de commande avec le dernier micrologiciel disponible.</translation>
    </message>
    <message>
        <source>Press Next to continue</source>
        <translation>Cliquez sur Suivant pour continuer</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Bienvenue</translation>
    </message>
</context>
<context>
    <name>Step2</name>
    <message>
        <source>Choose a COM port</source>
        <translation>Choisissez un port COM</translation>
    </message>
    <message>
        <source>Make sure you choose the COM port that is attached to the bottom of your Hand Control and that you are using the proper serial cable.  The Quorrel kit should also be powered On.<byte value="xd"/>
<byte value="xd"/>
Note: Choose None if you are not connected to a Hand Control right now but would like to check for Web Updates on the Next screen.</source>
        <translation>Choisissez le port COM relié au bas de votre raquette de commande et utilisez le bon câble série. Le kit Quorrel doit aussi être sous tension.<byte value="xd"/>
<byte value="xd"/>
Remarque : choisissez Aucun si vous n&apos;êtes pas relié à une raquette de commande pour l&apos;instant mais souhaitez chercher des mises à jour Web à l&apos;écran suivant.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>No device for this name</source>
        <translation>Aucun appareil pour ce nom</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation>Appareil : %1</translation>
    </message>
</context>
<context>
    <name>Step3</name>
    <message>
        <source>Determining Status ...</source>
        <translation>Détermination de l&apos;état ...</translation>
    </message>
    <message>
        <source>Choose Firmware or .....</source>
        <translation>Choisir le micrologiciel ou .....</translation>
    </message>
    <message>
        <source>Download via the Web</source>
        <translation>Télécharger par le Web</translation>
    </message>
    <message>
        <source>Refresh Status</source>
        <translation>Actualiser l&apos;état</translation>
    </message>
    <message>
        <source>Open Firmware File</source>
        <translation>Ouvrir un fichier de firmware</translation>
    </message>
    <message>
        <source>Firmware images (*.bin *.BIN);;All files (*)</source>
        <translation>Images de firmware (*.bin *.BIN);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Open firmware file...</source>
        <translation>Ouvrir un firmware...</translation>
    </message>
    <message>
        <source>Show program folder</source>
        <translation>Dossier du programme</translation>
    </message>
    <message>
        <source>Firmware description</source>
        <translation>Description du micrologiciel</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
</context>
<context>
    <name>Step4</name>
    <message>
        <source>The firmware selected for upgrading is shown below.<byte value="xd"/>
<byte value="xd"/>
Click on Begin Programming to upgrade the hand control.<byte value="xd"/>
<byte value="xd"/>
Click on Verify Firmware to confirm that the firmware is programmed correctly.</source>
        <translation>Le micrologiciel choisi est indiqué ci-dessous.<byte value="xd"/>
<byte value="xd"/>
Lancer la programmation met à jour la raquette.<byte value="xd"/>
<byte value="xd"/>
Vérifier le micrologiciel confirme qu&apos;il est bien programmé.</translation>
    </message>
    <message>
        <source>Begin Programming</source>
        <translation>Lancer la programmation</translation>
    </message>
    <message>
        <source>Verify Firmware</source>
        <translation>Vérifier le micrologiciel</translation>
    </message>
    <message>
        <source>Refresh Status</source>
        <translation>Actualiser l&apos;état</translation>
    </message>
    <message>
        <source>Determining Status ...</source>
        <translation>Détermination de l&apos;état ...</translation>
    </message>
    <message>
        <source>Filename: %1</source>
        <translation>Fichier : %1</translation>
    </message>
    <message>
        <source>The hand control is programmed.</source>
        <translation>La raquette de commande est programmée.</translation>
    </message>
    <message>
        <source>Programming the hand control did not complete.</source>
        <translation>La programmation de la raquette de commande ne s&apos;est pas terminée.</translation>
    </message>
    <message>
        <source>Verified: the hand control holds the firmware file&apos;s contents.</source>
        <translation>Vérifié : la raquette de commande contient le contenu du fichier de micrologiciel.</translation>
    </message>
    <message>
        <source>The verification ended without finding the contents identical.</source>
        <translation>La vérification s&apos;est terminée sans trouver le contenu identique.</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
</context>
<context>
    <name>Web</name>
    <message>
        <source>Installing Program ...</source>
        <translation>Installation du programme ...</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site.<byte value="xd"/>
Check your Internet connection and firewall settings.<byte value="xd"/>
See Help for more details.</source>
        <translation>Impossible de se connecter au site de téléchargement de Corvane.<byte value="xd"/>
Vérifiez votre connexion Internet et les réglages du pare-feu.<byte value="xd"/>
Consultez l&apos;aide pour plus de détails.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site.<byte value="xd"/>
The connection is not secure: %1.<byte value="xd"/>
See Help for more details.</source>
        <translation>Impossible de se connecter au site de téléchargement de Corvane.<byte value="xd"/>
La connexion n&apos;est pas sûre : %1.<byte value="xd"/>
Consultez l&apos;aide pour plus de détails.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site.<byte value="xd"/>
The reply was refused: %1.<byte value="xd"/>
See Help for more details.</source>
        <translation>Impossible de se connecter au site de téléchargement de Corvane.<byte value="xd"/>
La réponse a été refusée : %1.<byte value="xd"/>
Consultez l&apos;aide pour plus de détails.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site.<byte value="xd"/>
User is Unauthorised!<byte value="xd"/>
See Help for more details.</source>
        <translation>Impossible de se connecter au site de téléchargement de Corvane.<byte value="xd"/>
Utilisateur non autorisé !<byte value="xd"/>
Consultez l&apos;aide pour plus de détails.</translation>
    </message>
    <message>
        <source>the password for %1 travels unencrypted over http; use an https:// address in URL</source>
        <translation>le mot de passe pour %1 circule en clair sur http ; utilisez une adresse https:// dans URL</translation>
    </message>
    <message>
        <source>A newer version of this program is available.<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
Do you wish to download and install?</source>
        <translation>Une version plus récente de ce programme est disponible.<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
Voulez-vous la télécharger et l&apos;installer ?</translation>
    </message>
    <message>
        <source>Program downloaded successfully ...<byte value="xd"/>
<byte value="xd"/>
Press Ok to Run the New Version.</source>
        <translation>Programme téléchargé avec succès ...<byte value="xd"/>
<byte value="xd"/>
Cliquez sur OK pour lancer la nouvelle version.</translation>
    </message>
    <message>
        <source>Not verified</source>
        <translation>Non vérifié</translation>
    </message>
    <message>
        <source>Verified, key ID %1</source>
        <translation>Vérifié, identifiant de clé %1</translation>
    </message>
    <message>
        <source>Signature missing</source>
        <translation>Signature manquante</translation>
    </message>
    <message>
        <source>Older than a catalogue seen</source>
        <translation>Plus ancien qu&apos;un catalogue déjà vu</translation>
    </message>
    <message>
        <source>Signed for another file</source>
        <translation>Signé pour un autre fichier</translation>
    </message>
    <message>
        <source>Signature not valid</source>
        <translation>Signature non valide</translation>
    </message>
    <message>
        <source>the signature of key %1 is valid</source>
        <translation>la signature de la clé %1 est valide</translation>
    </message>
    <message>
        <source>the signature is missing</source>
        <translation>la signature est manquante</translation>
    </message>
    <message>
        <source>the signature file is not a valid minisign signature</source>
        <translation>le fichier de signature n&apos;est pas une signature minisign valide</translation>
    </message>
    <message>
        <source>the signature was made with key %1, which PUBLICKEY does not list</source>
        <translation>la signature a été faite avec la clé %1, que PUBLICKEY ne liste pas</translation>
    </message>
    <message>
        <source>the signature is not valid for this catalogue</source>
        <translation>la signature n&apos;est pas valide pour ce catalogue</translation>
    </message>
    <message>
        <source>the signature&apos;s trusted comment was altered</source>
        <translation>le commentaire de confiance de la signature a été modifié</translation>
    </message>
    <message>
        <source>the catalogue is older than one already seen (%1); the site may be replaying an old list</source>
        <translation>le catalogue est plus ancien qu&apos;un catalogue déjà vu (%1) ; le site rejoue peut-être une ancienne liste</translation>
    </message>
    <message>
        <source>the signature was made for the file %1, not for this catalogue</source>
        <translation>la signature a été faite pour le fichier %1, pas pour ce catalogue</translation>
    </message>
    <message>
        <source>the signature file is too large (over %1 bytes)</source>
        <translation>le fichier de signature est trop volumineux (plus de %1 octets)</translation>
    </message>
</context>
<context>
    <name>Wizard</name>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>&lt;  Back</source>
        <translation>&lt;  Précédent</translation>
    </message>
    <message>
        <source>Next  &gt;</source>
        <translation>Suivant  &gt;</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Terminer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Wait...</source>
        <translation>Patientez...</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
</context>
<context>
    <name>frmHCerror</name>
    <message>
        <source>Hand Control not in programming mode</source>
        <translation>Raquette de commande pas en mode programmation</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
</context>
<context>
    <name>frmWebUpdate</name>
    <message>
        <source>Program updates come with the package manager.</source>
        <translation>Les mises à jour du programme viennent du gestionnaire de paquets.</translation>
    </message>
    <message>
        <source>Web Updates</source>
        <translation>Mises à jour Web</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Emplacement</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Micrologiciel</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source> Web Updates [%1]</source>
        <translation> Mises à jour Web [%1]</translation>
    </message>
    <message>
        <source>Fetching the list of firmware from %1 ...</source>
        <translation>Récupération de la liste des micrologiciels depuis %1 ...</translation>
    </message>
    <message>
        <source>No public key is set (PUBLICKEY), so the catalogue&apos;s signature is not checked.</source>
        <translation>Aucune clé publique n&apos;est définie (PUBLICKEY), la signature du catalogue n&apos;est donc pas vérifiée.</translation>
    </message>
    <message>
        <source>Catalogue: %1.</source>
        <translation>Catalogue : %1.</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Distant</translation>
    </message>
    <message>
        <source>Download Complete</source>
        <translation>Téléchargement terminé</translation>
    </message>
    <message>
        <source>Download Failed</source>
        <translation>Échec du téléchargement</translation>
    </message>
    <message>
        <source>%1 is downloaded.</source>
        <translation>%1 est téléchargé.</translation>
    </message>
    <message>
        <source>%1 could not be downloaded.</source>
        <translation>%1 n&apos;a pas pu être téléchargé.</translation>
    </message>
    <message>
        <source>The list of the site could not be loaded: %1.</source>
        <translation>La liste du site n&apos;a pas pu être chargée : %1.</translation>
    </message>
</context>
</TS>
