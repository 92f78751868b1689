<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>App</name>
    <message>
        <source>Are you sure you want to Exit the program?</source>
        <translation>Sind Sie sicher, dass Sie das Programm beenden möchten?</translation>
    </message>
    <message>
        <source>The catalogue of the download site cannot be trusted:<byte value="xd"/>
%1.<byte value="xd"/>
Nothing is offered for download from it.</source>
        <translation>Dem Katalog der Download-Seite kann nicht vertraut werden:<byte value="xd"/>
%1.<byte value="xd"/>
Von dort wird nichts zum Herunterladen angeboten.</translation>
    </message>
    <message>
        <source>Error updating program!</source>
        <translation>Fehler beim Aktualisieren des Programms!</translation>
    </message>
    <message>
        <source>The file %1 could not be downloaded:<byte value="xd"/>
%2.</source>
        <translation>Die Datei %1 konnte nicht heruntergeladen werden:<byte value="xd"/>
%2.</translation>
    </message>
    <message>
        <source>Are you sure you want to Remove this file from your computer?</source>
        <translation>Sind Sie sicher, dass Sie diese Datei von Ihrem Computer entfernen möchten?</translation>
    </message>
    <message>
        <source>Warning: This firmware is no longer available online.<byte value="xd"/>
If you remove it, you will not be able re-download it.<byte value="xd"/>
<byte value="xd"/>
Are you sure you want to Remove this file from your computer?</source>
        <translation>Warnung: Diese Firmware ist online nicht mehr verfügbar.<byte value="xd"/>
Wenn Sie sie entfernen, können Sie sie nicht erneut herunterladen.<byte value="xd"/>
<byte value="xd"/>
Sind Sie sicher, dass Sie diese Datei von Ihrem Computer entfernen möchten?</translation>
    </message>
    <message>
        <source>The file %1 could not be removed:<byte value="xd"/>
%2.</source>
        <translation>Die Datei %1 konnte nicht entfernt werden:<byte value="xd"/>
%2.</translation>
    </message>
    <message>
        <source>The catalogue of the download site lists more firmware than this program can keep.<byte value="xd"/>
Nothing is offered for download from it, and the known versions stay as they were.</source>
        <translation>Der Katalog der Download-Seite listet mehr Firmware, als dieses Programm behalten kann.<byte value="xd"/>
Von dort wird nichts zum Herunterladen angeboten, und die bekannten Versionen bleiben, wie sie waren.</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>Usage: padflasher-cli [global options] COMMAND [options] [arguments]

Updates the firmware of a telescope hand control over a serial cable.

Commands:
</source>
        <translation>Aufruf: padflasher-cli [globale Optionen] BEFEHL [Optionen] [Argumente]

Aktualisiert die Firmware einer Teleskop-Handsteuerung über ein serielles Kabel.

Befehle:
</translation>
    </message>
    <message>
        <source>
Global options (before or after the command):
</source>
        <translation>
Globale Optionen (vor oder nach dem Befehl):
</translation>
    </message>
    <message>
        <source>Run &apos;padflasher-cli COMMAND --help&apos; for a command&apos;s own options and arguments.</source>
        <translation>&apos;padflasher-cli BEFEHL --help&apos; zeigt die Optionen und Argumente eines Befehls.</translation>
    </message>
    <message>
        <source>no command given.
Run &apos;padflasher-cli --help&apos; for the list.</source>
        <translation>kein Befehl angegeben.
&apos;padflasher-cli --help&apos; zeigt die Liste.</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;.
Run &apos;padflasher-cli --help&apos; for the list.</source>
        <translation>unbekannter Befehl &apos;%1&apos;.
&apos;padflasher-cli --help&apos; zeigt die Liste.</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;; did you mean &apos;%2&apos;?
Run &apos;padflasher-cli --help&apos; for the list.</source>
        <translation>unbekannter Befehl &apos;%1&apos;; meinten Sie &apos;%2&apos;?
&apos;padflasher-cli --help&apos; zeigt die Liste.</translation>
    </message>
    <message>
        <source>Program folder holding PadFlasher.ini, PadFlasher.ver, ports/ and the firmware files (default: the folder of the executables; installed: ~/.local/share/PadFlasher, settings in ~/.config/PadFlasher).</source>
        <translation>Programmordner mit PadFlasher.ini, PadFlasher.ver, ports/ und den Firmware-Dateien (Vorgabe: der Ordner der Programme; installiert: ~/.local/share/PadFlasher, Einstellungen in ~/.config/PadFlasher).</translation>
    </message>
    <message>
        <source>No progress; only errors and the result.</source>
        <translation>Kein Fortschritt; nur Fehler und das Ergebnis.</translation>
    </message>
    <message>
        <source>Show each command sent to the hand control and each reply on stderr (block data abbreviated).</source>
        <translation>Jeden an die Handsteuerung gesendeten Befehl und jede Antwort auf stderr zeigen (Blockdaten gekürzt).</translation>
    </message>
    <message>
        <source>Write every byte sent and received, with a microsecond time stamp and its direction, to FILE.</source>
        <translation>Jedes gesendete und empfangene Byte mit Zeitstempel in Mikrosekunden und Richtung in DATEI schreiben.</translation>
    </message>
    <message>
        <source>Write debugexe.txt in the current folder (installed without --folder: in ~/.local/state/PadFlasher).</source>
        <translation>debugexe.txt im aktuellen Ordner schreiben (installiert ohne --folder: in ~/.local/state/PadFlasher).</translation>
    </message>
    <message>
        <source>Print the bytes sent and received and the CPU time used at the end.</source>
        <translation>Am Ende die gesendeten und empfangenen Bytes und die verbrauchte CPU-Zeit ausgeben.</translation>
    </message>
    <message>
        <source>Show texts in LANG (en, de, fr) instead of the language of the environment.</source>
        <translation>Texte in LANG (en, de, fr) statt in der Sprache der Umgebung zeigen.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Diese Hilfe zeigen.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>Die Version des Programms zeigen.</translation>
    </message>
    <message>
        <source>Usage: padflasher-cli %1

</source>
        <translation>Aufruf: padflasher-cli %1

</translation>
    </message>
    <message>
        <source>
Arguments:
</source>
        <translation>
Argumente:
</translation>
    </message>
    <message>
        <source>
Options:
</source>
        <translation>
Optionen:
</translation>
    </message>
    <message>
        <source>
Global options:
</source>
        <translation>
Globale Optionen:
</translation>
    </message>
    <message>
        <source>%1
Try &apos;padflasher-cli %2 --help&apos;.</source>
        <translation>%1
Siehe &apos;padflasher-cli %2 --help&apos;.</translation>
    </message>
    <message>
        <source>--quiet and --verbose exclude each other.</source>
        <translation>--quiet und --verbose schließen einander aus.</translation>
    </message>
    <message>
        <source>missing argument %1
Usage: padflasher-cli %2</source>
        <translation>fehlendes Argument %1
Aufruf: padflasher-cli %2</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;
Usage: padflasher-cli %2</source>
        <translation>unerwartetes Argument &apos;%1&apos;
Aufruf: padflasher-cli %2</translation>
    </message>
    <message>
        <source>program folder &apos;%1&apos; does not exist or is not a folder.</source>
        <translation>Programmordner &apos;%1&apos; existiert nicht oder ist kein Ordner.</translation>
    </message>
    <message>
        <source>Flash</source>
        <translation>Flashen</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lesen</translation>
    </message>
    <message>
        <source>erasing</source>
        <translation>löschen</translation>
    </message>
    <message>
        <source>programming</source>
        <translation>programmieren</translation>
    </message>
    <message>
        <source>checking</source>
        <translation>kontrollieren</translation>
    </message>
    <message>
        <source>verifying</source>
        <translation>prüfen</translation>
    </message>
    <message>
        <source>reading</source>
        <translation>lesen</translation>
    </message>
    <message>
        <source>%1 elapsed, %2 left</source>
        <translation>%1 vergangen, %2 übrig</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>%1 (no terminal)</source>
        <translation>%1 (kein Terminal)</translation>
    </message>
    <message>
        <source>(%1 elapsed)</source>
        <translation>(%1 vergangen)</translation>
    </message>
    <message>
        <source>the hand control answered the presence test but not the firmware query.</source>
        <translation>die Handsteuerung hat den Anwesenheitstest beantwortet, aber nicht die Firmware-Abfrage.</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Code: %1</source>
        <translation>Code: %1</translation>
    </message>
    <message>
        <source>Type: %1</source>
        <translation>Typ: %1</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>Tests that the hand control answers in programming mode and shows the firmware it holds: its code, and its type and version from PadFlasher.ver.</source>
        <translation>Prüft, ob die Handsteuerung im Programmiermodus antwortet, und zeigt ihre Firmware: ihren Code sowie Typ und Version aus PadFlasher.ver.</translation>
    </message>
    <message>
        <source>test for the hand control and show its firmware</source>
        <translation>Handsteuerung suchen und ihre Firmware zeigen</translation>
    </message>
    <message>
        <source>Contents are Identical</source>
        <translation>Inhalte sind identisch</translation>
    </message>
    <message>
        <source>no backup, so nothing was erased.</source>
        <translation>keine Sicherung, daher wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>Backup written to %1</source>
        <translation>Sicherung geschrieben nach %1</translation>
    </message>
    <message>
        <source>programming failed; the hand control stays in programming mode, so flash it again.</source>
        <translation>Programmieren fehlgeschlagen; die Handsteuerung bleibt im Programmiermodus, also erneut flashen.</translation>
    </message>
    <message>
        <source>Verification after programming: none (default; the check phase already compared every block&apos;s sum), fast, or full (every byte).</source>
        <translation>Prüfung nach dem Programmieren: none (Vorgabe; die Kontrollphase hat die Summe jedes Blocks schon verglichen), fast oder full (jedes Byte).</translation>
    </message>
    <message>
        <source>First read the hand control&apos;s current firmware into FILE.</source>
        <translation>Zuerst die aktuelle Firmware der Handsteuerung in FILE lesen.</translation>
    </message>
    <message>
        <source>Program an image whose code PadFlasher.ver does not list.</source>
        <translation>Ein Image programmieren, dessen Code PadFlasher.ver nicht aufführt.</translation>
    </message>
    <message>
        <source>Firmware image file (262144 bytes).</source>
        <translation>Firmware-Image-Datei (262144 Bytes).</translation>
    </message>
    <message>
        <source>--verify takes none, fast or full, not &apos;%1&apos;.</source>
        <translation>--verify erwartet none, fast oder full, nicht &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Compares the hand control with IMAGE: every byte of every written block, or with --fast each block&apos;s 8-bit sum (which misses two exchanged bytes).</source>
        <translation>Vergleicht die Handsteuerung mit IMAGE: jedes Byte jedes geschriebenen Blocks, oder mit --fast die 8-Bit-Summe jedes Blocks (die zwei vertauschte Bytes übersieht).</translation>
    </message>
    <message>
        <source>Compare block sums only.</source>
        <translation>Nur Blocksummen vergleichen.</translation>
    </message>
    <message>
        <source>program the hand control with an image</source>
        <translation>die Handsteuerung mit einem Image programmieren</translation>
    </message>
    <message>
        <source>compare the hand control with an image</source>
        <translation>die Handsteuerung mit einem Image vergleichen</translation>
    </message>
    <message>
        <source>read the hand control&apos;s firmware into a file</source>
        <translation>die Firmware der Handsteuerung in eine Datei lesen</translation>
    </message>
    <message>
        <source>list the serial devices and their COM names; assign or unassign a COM name</source>
        <translation>serielle Geräte und ihre COM-Namen auflisten; einen COM-Namen zuweisen oder freigeben</translation>
    </message>
    <message>
        <source>The device %1 does not exist: check the cable or the USB-serial adapter, or list the ports with &apos;padflasher-cli ports&apos;.</source>
        <translation>Das Gerät %1 existiert nicht: Kabel oder USB-Seriell-Adapter prüfen oder die Ports mit &apos;padflasher-cli ports&apos; auflisten.</translation>
    </message>
    <message>
        <source>Permission denied on %1: %2.</source>
        <translation>Zugriff verweigert auf %1: %2.</translation>
    </message>
    <message>
        <source>%1 is in use by another program: close it and try again.</source>
        <translation>%1 wird von einem anderen Programm benutzt: dieses schließen und erneut versuchen.</translation>
    </message>
    <message>
        <source>Could not open %1.</source>
        <translation>%1 konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Could not open %1: %2.</source>
        <translation>%1 konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>cannot write the trace %1: %2</source>
        <translation>die Aufzeichnung %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1; the trace is incomplete.</source>
        <translation>%1; die Aufzeichnung ist unvollständig.</translation>
    </message>
    <message>
        <source>At the end print one JSON document on stdout (result, exit code, port, device, firmware, seconds, bytes; see the README); result lines go to stderr instead.</source>
        <translation>Am Ende ein JSON-Dokument auf stdout ausgeben (Ergebnis, Exit-Code, Port, Gerät, Firmware, Sekunden, Bytes; siehe README); Ergebniszeilen gehen stattdessen nach stderr.</translation>
    </message>
    <message>
        <source>no serial port given: use --port COMn or --port /dev/ttyUSB0 (or set COMPORT in PadFlasher.ini).</source>
        <translation>kein serieller Port angegeben: --port COMn oder --port /dev/ttyUSB0 verwenden (oder COMPORT in PadFlasher.ini setzen).</translation>
    </message>
    <message>
        <source>%1 does not stand for any serial device on this machine; list the ports with &apos;padflasher-cli ports&apos; or give a device path.</source>
        <translation>%1 steht für kein serielles Gerät auf diesem Rechner; die Ports mit &apos;padflasher-cli ports&apos; auflisten oder einen Gerätepfad angeben.</translation>
    </message>
    <message>
        <source>Error Opening COM Port %1. %2</source>
        <translation>Fehler beim Öffnen des COM-Ports %1. %2</translation>
    </message>
    <message>
        <source>the hand control on %1 did not answer. Nothing was changed.</source>
        <translation>die Handsteuerung an %1 hat nicht geantwortet. Es wurde nichts verändert.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 has %2 bytes; a firmware image has %3.</source>
        <translation>%1 hat %2 Bytes; ein Firmware-Image hat %3.</translation>
    </message>
    <message>
        <source>%1 lacks the signature 55 AA at offset 0xFFE0; it is not a firmware image.</source>
        <translation>%1 fehlt die Signatur 55 AA an Offset 0xFFE0; es ist kein Firmware-Image.</translation>
    </message>
    <message>
        <source>reading cancelled by user.</source>
        <translation>Lesen vom Benutzer abgebrochen.</translation>
    </message>
    <message>
        <source>reading the hand control failed at bank %1, block %2.</source>
        <translation>das Lesen der Handsteuerung ist in Bank %1, Block %2 gescheitert.</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2.</source>
        <translation>%1 kann nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no port name: use COM1 to COM16.</source>
        <translation>&apos;%1&apos; ist kein Portname: COM1 bis COM16 verwenden.</translation>
    </message>
    <message>
        <source>%1 is not a link; remove or rename it by hand.</source>
        <translation>%1 ist kein Link; von Hand entfernen oder umbenennen.</translation>
    </message>
    <message>
        <source>cannot remove %1: %2</source>
        <translation>%1 kann nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>give the device for %1 (e.g. ttyUSB0 or /dev/serial/by-id/...), not a COM name.</source>
        <translation>geben Sie das Gerät für %1 an (z. B. ttyUSB0 oder /dev/serial/by-id/...), keinen COM-Namen.</translation>
    </message>
    <message>
        <source>%1 does not exist. List the devices with &apos;padflasher-cli ports&apos;.</source>
        <translation>%1 existiert nicht. Die Geräte mit &apos;padflasher-cli ports&apos; auflisten.</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>%1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>cannot create a link in %1: %2</source>
        <translation>in %1 kann kein Link angelegt werden: %2</translation>
    </message>
    <message>
        <source>%1 has no link in %2/ports.</source>
        <translation>%1 hat keinen Link in %2/ports.</translation>
    </message>
    <message>
        <source>%1 unassigned; it now stands for %2.</source>
        <translation>%1 freigegeben; es steht jetzt für %2.</translation>
    </message>
    <message>
        <source>%1 unassigned; it now stands for %2, which is not present.</source>
        <translation>%1 freigegeben; es steht jetzt für %2, das nicht vorhanden ist.</translation>
    </message>
    <message>
        <source>Lists the serial devices of this machine, one per line: the COM name that leads to it (or -), the device, the USB adapter&apos;s description, manufacturer, VID:PID and serial number, and its stable /dev/serial/by-id name. &apos;assign&apos; links ports/COMn in the program folder to DEVICE (by its by-id name when it has one, so the name survives replugging); &apos;unassign&apos; removes that link.</source>
        <translation>Listet die seriellen Geräte dieses Rechners, eines je Zeile: der COM-Name, der darauf führt (oder -), das Gerät, Beschreibung, Hersteller, VID:PID und Seriennummer des USB-Adapters und sein stabiler Name unter /dev/serial/by-id. &apos;assign&apos; verknüpft ports/COMn im Programmordner mit DEVICE (über seinen by-id-Namen, wenn es einen hat, damit der Name das Umstecken übersteht); &apos;unassign&apos; entfernt diesen Link.</translation>
    </message>
    <message>
        <source>Print the list as a JSON array.</source>
        <translation>Die Liste als JSON-Array ausgeben.</translation>
    </message>
    <message>
        <source>Give a COM name to a device, or take it back.</source>
        <translation>Einem Gerät einen COM-Namen geben oder ihn zurücknehmen.</translation>
    </message>
    <message>
        <source>usage: padflasher-cli ports assign COMn DEVICE, or ports unassign COMn.</source>
        <translation>Aufruf: padflasher-cli ports assign COMn GERÄT oder ports unassign COMn.</translation>
    </message>
    <message>
        <source>stopped by the user; PadFlasher.ver is unchanged.</source>
        <translation>vom Benutzer angehalten; PadFlasher.ver ist unverändert.</translation>
    </message>
    <message>
        <source>the catalogue of %1 is refused: %2; PadFlasher.ver is unchanged.</source>
        <translation>der Katalog von %1 wird abgelehnt: %2; PadFlasher.ver ist unverändert.</translation>
    </message>
    <message>
        <source>PadFlasher.ver could not be rewritten (%1); it keeps its old contents.</source>
        <translation>PadFlasher.ver konnte nicht neu geschrieben werden (%1); es behält seinen alten Inhalt.</translation>
    </message>
    <message>
        <source>the password in URL of PadFlasher.ini (%1) holds a bare &apos;@&apos; or &apos;/&apos;; write them as %2 and %3.</source>
        <translation>das Passwort in URL von PadFlasher.ini (%1) enthält ein nacktes &apos;@&apos; oder &apos;/&apos;; schreiben Sie sie als %2 und %3.</translation>
    </message>
    <message>
        <source>the download address &apos;%1&apos; has no host name; check URL in PadFlasher.ini.</source>
        <translation>die Download-Adresse &apos;%1&apos; hat keinen Hostnamen; URL in PadFlasher.ini prüfen.</translation>
    </message>
    <message>
        <source>the reply from %1 is not a catalogue (no &quot;@&quot; or &quot;$&quot; line); PadFlasher.ver is unchanged.</source>
        <translation>die Antwort von %1 ist kein Katalog (keine Zeile mit &quot;@&quot; oder &quot;$&quot;); PadFlasher.ver ist unverändert.</translation>
    </message>
    <message>
        <source>Fetches the catalogue at URL of PadFlasher.ini, refreshes PadFlasher.ver from it and lists the firmware images of the site and of the program folder: base name, date, size, Local or Remote.</source>
        <translation>Holt den Katalog von URL aus PadFlasher.ini, aktualisiert daraus PadFlasher.ver und listet die Firmware-Images der Seite und des Programmordners: Basisname, Datum, Größe, Lokal oder Online.</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Lokal</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Downloads the firmware image NAME (its base name, as the catalogue lists it) with its description into the program folder, dated as the catalogue says.</source>
        <translation>Lädt das Firmware-Image NAME (sein Basisname, wie der Katalog ihn listet) mit seiner Beschreibung in den Programmordner, datiert wie im Katalog angegeben.</translation>
    </message>
    <message>
        <source>Base name of the firmware image, e.g. HC200.</source>
        <translation>Basisname des Firmware-Images, z. B. HC200.</translation>
    </message>
    <message>
        <source>the catalogue of %1 offers no firmware named %2.</source>
        <translation>der Katalog von %1 bietet keine Firmware namens %2 an.</translation>
    </message>
    <message>
        <source>%1 is already in the program folder; remove it first to download it again.</source>
        <translation>%1 liegt schon im Programmordner; zuerst entfernen, um es erneut herunterzuladen.</translation>
    </message>
    <message>
        <source>Downloading %1 : </source>
        <translation>%1 wird heruntergeladen : </translation>
    </message>
    <message>
        <source>download stopped by the user; nothing was saved.</source>
        <translation>Download vom Benutzer angehalten; nichts wurde gespeichert.</translation>
    </message>
    <message>
        <source>nothing was saved: %1.</source>
        <translation>nichts wurde gespeichert: %1.</translation>
    </message>
    <message>
        <source>Downloaded %1 and %2.txt (%3) into %4</source>
        <translation>%1 und %2.txt (%3) nach %4 heruntergeladen</translation>
    </message>
    <message>
        <source>verifying failed: 1 block differs from the image.</source>
        <translation>Prüfen fehlgeschlagen: 1 Block weicht vom Image ab.</translation>
    </message>
    <message>
        <source>verifying failed: %1 blocks differ from the image.</source>
        <translation>Prüfen fehlgeschlagen: %1 Blöcke weichen vom Image ab.</translation>
    </message>
    <message>
        <source>Programmed and checked by block sums and by reading every block back.</source>
        <translation>Programmiert und kontrolliert über Blocksummen und durch Zurücklesen jedes Blocks.</translation>
    </message>
    <message>
        <source>Programmed and checked by block sums.</source>
        <translation>Programmiert und über Blocksummen kontrolliert.</translation>
    </message>
    <message>
        <source>programming failed: the check found blocks that differ from the image (%1); the hand control stays in programming mode, so flash it again.</source>
        <translation>Programmieren fehlgeschlagen: die Kontrolle fand Blöcke, die vom Image abweichen (%1); die Handsteuerung bleibt im Programmiermodus, also erneut flashen.</translation>
    </message>
    <message>
        <source>Read %1 bytes into %2</source>
        <translation>%1 Bytes nach %2 gelesen</translation>
    </message>
    <message>
        <source>The README and the other documents lie in %1 once installed; see also the manual page padflasher-cli(1).</source>
        <translation>Das README und die übrigen Dokumente liegen nach der Installation in %1; siehe auch die Handbuchseite padflasher-cli(1).</translation>
    </message>
    <message>
        <source>no USB adapter is %1; none is plugged in.</source>
        <translation>kein USB-Adapter ist %1; keiner ist eingesteckt.</translation>
    </message>
    <message>
        <source>no USB adapter is %1; plugged in: %2.</source>
        <translation>kein USB-Adapter ist %1; eingesteckt: %2.</translation>
    </message>
    <message>
        <source>%1 is %2 adapters: %3; name one with its serial number.</source>
        <translation>%1 sind %2 Adapter: %3; einen mit seiner Seriennummer angeben.</translation>
    </message>
    <message>
        <source>the port name is empty: give a COM name, a device such as /dev/ttyUSB0, or usb:VID:PID.</source>
        <translation>der Portname ist leer: einen COM-Namen, ein Gerät wie /dev/ttyUSB0 oder usb:VID:PID angeben.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; names no USB adapter: use usb:VID:PID or usb:VID:PID:SERIAL with the hexadecimal ids &apos;padflasher-cli ports&apos; shows.</source>
        <translation>&apos;%1&apos; bezeichnet keinen USB-Adapter: usb:VID:PID oder usb:VID:PID:SERIAL mit den hexadezimalen Kennungen verwenden, die &apos;padflasher-cli ports&apos; zeigt.</translation>
    </message>
    <message>
        <source>no device &apos;%1&apos; in %2/ or %2/serial/by-id/; list the ports with &apos;padflasher-cli ports&apos;.</source>
        <translation>kein Gerät &apos;%1&apos; in %2/ oder %2/serial/by-id/; die Ports mit &apos;padflasher-cli ports&apos; auflisten.</translation>
    </message>
    <message>
        <source>%1 is a terminal of this computer, not a serial port: the hand control&apos;s protocol would go to the screen. List the devices with &apos;padflasher-cli ports&apos;.</source>
        <translation>%1 ist ein Terminal dieses Rechners, kein serieller Port: das Protokoll der Handsteuerung ginge auf den Bildschirm. Die Geräte mit &apos;padflasher-cli ports&apos; auflisten.</translation>
    </message>
    <message>
        <source>%1 is the pseudo-terminal multiplexer, not a serial port; give the pseudo-terminal itself (/dev/pts/N). List the devices with &apos;padflasher-cli ports&apos;.</source>
        <translation>%1 ist der Pseudoterminal-Multiplexer, kein serieller Port; das Pseudoterminal selbst angeben (/dev/pts/N). Die Geräte mit &apos;padflasher-cli ports&apos; auflisten.</translation>
    </message>
    <message>
        <source>%1 is not a serial device. List the devices with &apos;padflasher-cli ports&apos;.</source>
        <translation>%1 ist kein serielles Gerät. Die Geräte mit &apos;padflasher-cli ports&apos; auflisten.</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>will not write %1: it is one of the program&apos;s own files.</source>
        <translation>%1 wird nicht geschrieben: es ist eine der eigenen Dateien des Programms.</translation>
    </message>
    <message>
        <source>will not write %1: it %2.</source>
        <translation>%1 wird nicht geschrieben: it %2.</translation>
    </message>
    <message>
        <source>the catalogue of %1 holds more firmware and program lines than %2; it is refused and PadFlasher.ver is unchanged.</source>
        <translation>der Katalog von %1 enthält mehr Firmware- und Programmzeilen als %2; er wird abgelehnt und PadFlasher.ver bleibt unverändert.</translation>
    </message>
    <message>
        <source>padflasher-cli: stopped at once; a hand control being programmed stays in programming mode.</source>
        <translation>padflasher-cli: sofort angehalten; eine Handsteuerung, die gerade programmiert wurde, bleibt im Programmiermodus.</translation>
    </message>
    <message>
        <source>padflasher-cli: cancel requested; stopping at the next safe point (press Ctrl-C again to stop at once).</source>
        <translation>padflasher-cli: Abbruch angefordert; Halt an der nächsten sicheren Stelle (Strg-C erneut drücken, um sofort anzuhalten).</translation>
    </message>
    <message>
        <source>the port %1 is given twice.</source>
        <translation>der Port %1 ist zweimal angegeben.</translation>
    </message>
    <message>
        <source>Erases the hand control and programs it with IMAGE, then checks every written block&apos;s sum. Without a terminal, questions are answered by a fixed policy: a block is retried twice, differences are all listed and fail the command. With several ports that policy answers for each of them, so an image PadFlasher.ver does not list needs --yes up front.</source>
        <translation>Löscht die Handsteuerung und programmiert sie mit IMAGE, dann prüft es die Summe jedes geschriebenen Blocks. Ohne Terminal werden Fragen nach fester Regel beantwortet: ein Block wird zweimal wiederholt, Abweichungen werden alle aufgelistet und lassen den Befehl scheitern. Bei mehreren Ports antwortet diese Regel für jeden von ihnen, daher braucht ein Image, das PadFlasher.ver nicht aufführt, --yes schon beim Aufruf.</translation>
    </message>
    <message>
        <source>Reads the blocks that programming writes into OUT, a 262144-byte image with 0xFF elsewhere: a backup that &apos;flash&apos; can write back. With several ports OUT is a folder that receives one file per port, named after it (COM3.bin, ttyUSB0.bin).</source>
        <translation>Liest die Blöcke, die das Programmieren schreibt, nach OUT, ein Image von 262144 Bytes mit 0xFF an allen anderen Stellen: eine Sicherung, die &apos;flash&apos; zurückschreiben kann. Bei mehreren Ports ist OUT ein Ordner, der eine Datei je Port erhält, nach ihm benannt (COM3.bin, ttyUSB0.bin).</translation>
    </message>
    <message>
        <source>Image file to write (replaced only when the read succeeds), or with several ports the folder for their files.</source>
        <translation>Zu schreibende Image-Datei (nur ersetzt, wenn das Lesen gelingt), oder bei mehreren Ports der Ordner für ihre Dateien.</translation>
    </message>
    <message>
        <source>with several ports OUT is the folder for their files, and %1 is no folder.</source>
        <translation>bei mehreren Ports ist OUT der Ordner für ihre Dateien, und %1 ist kein Ordner.</translation>
    </message>
    <message>
        <source>Exit codes: 0 success; 1 the hand control did not answer, failed, or differs; 2 bad usage or a bad input file; 130 cancelled by the user (Ctrl-C). With several ports: 0 only when every port succeeded, else the worst of them, 130 before 1 before 2.</source>
        <translation>Exit-Codes: 0 Erfolg; 1 die Handsteuerung hat nicht geantwortet, ist gescheitert oder weicht ab; 2 falscher Aufruf oder ungültige Eingabedatei; 130 vom Benutzer abgebrochen (Strg-C). Bei mehreren Ports: 0 nur, wenn jeder Port Erfolg hatte, sonst der schlimmste von ihnen, 130 vor 1 vor 2.</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>bad input</source>
        <translation>ungültige Eingabe</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>gescheitert</translation>
    </message>
    <message>
        <source>starting</source>
        <translation>startet</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>How it ended</source>
        <translation>Wie es endete</translation>
    </message>
    <message>
        <source>ended without a report</source>
        <translation>ohne Bericht beendet</translation>
    </message>
    <message>
        <source>All %1 hand controls succeeded.</source>
        <translation>Alle %1 Handsteuerungen erfolgreich.</translation>
    </message>
    <message>
        <source>%1 of %2 hand controls did not succeed: %3.</source>
        <translation>%1 von %2 Handsteuerungen ohne Erfolg: %3.</translation>
    </message>
    <message>
        <source>Serial port: a COM name (COM1-COM16, resolved through ports/ in the program folder first), a device path such as /dev/ttyUSB0, a kernel name such as ttyUSB0, a name from /dev/serial/by-id, or usb:VID:PID[:SERIAL] for the one USB adapter with that identity. Default: COMPORT of PadFlasher.ini. Given more than once, the command runs on every port at once, each in a process of its own with its own debug log and trace (named after the port; see the README), and no question is asked: the no-terminal policy answers for each.</source>
        <translation>Serieller Port: ein COM-Name (COM1-COM16, zuerst über ports/ im Programmordner aufgelöst), ein Gerätepfad wie /dev/ttyUSB0, ein Kernelname wie ttyUSB0, ein Name aus /dev/serial/by-id oder usb:VID:PID[:SERIAL] für den einen USB-Adapter mit dieser Kennung. Vorgabe: COMPORT aus PadFlasher.ini. Mehrfach angegeben, läuft der Befehl auf allen Ports zugleich, jeder in einem eigenen Prozess mit eigenem Debug-Log und eigener Aufzeichnung (nach dem Port benannt; siehe README), und es wird nichts gefragt: die Regel ohne Terminal antwortet für jeden.</translation>
    </message>
    <message>
        <source>PUBLICKEY is not a minisign public key (it is the second line of a minisign .pub file, starting &quot;RW&quot;); nothing was fetched and PadFlasher.ver is unchanged.</source>
        <translation>PUBLICKEY ist kein öffentlicher minisign-Schlüssel (das ist die zweite Zeile einer minisign-.pub-Datei, beginnend mit &quot;RW&quot;); nichts wurde abgerufen, PadFlasher.ver ist unverändert.</translation>
    </message>
    <message>
        <source>no catalogue came from %1; PadFlasher.ver is unchanged.</source>
        <translation>von %1 kam kein Katalog; PadFlasher.ver ist unverändert.</translation>
    </message>
    <message>
        <source>no catalogue came from %1: %2; PadFlasher.ver is unchanged.</source>
        <translation>von %1 kam kein Katalog: %2; PadFlasher.ver ist unverändert.</translation>
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
        <translation>Die Handsteuerung muss in den Programmiermodus versetzt werden:<byte value="xd"/>
<byte value="xd"/>
Halten Sie die Tasten Undo und Info gedrückt,<byte value="xd"/>
während Sie das Quorrel-Kit einschalten. Wenn die Handsteuerung<byte value="xd"/>
&apos;Initializing...&apos; anzeigt, lassen Sie die Tasten los.<byte value="xd"/>
Danach sollte die Anzeige<byte value="xd"/>
&apos;Transmit Data...&apos; zeigen. Sobald sie das tut, führen Sie<byte value="xd"/>
den Befehl erneut aus.</translation>
    </message>
    <message>
        <source>The connection to the hand control on %1 was lost.<byte value="xd"/>
<byte value="xd"/>
Check the cable and the serial adapter, then run the command again (&apos;padflasher-cli ports&apos; lists the serial devices).</source>
        <translation>Die Verbindung zur Handsteuerung an %1 ist abgebrochen.<byte value="xd"/>
<byte value="xd"/>
Prüfen Sie das Kabel und den seriellen Adapter und führen Sie den Befehl erneut aus (&apos;padflasher-cli ports&apos; listet die seriellen Geräte).</translation>
    </message>
    <message>
        <source>Warning: Firmware file is not supported with this version of the program.

The image&apos;s code %1 is not listed in PadFlasher.ver. &apos;padflasher-cli catalogue&apos; refreshes that list from the download site and &apos;padflasher-cli download NAME&apos; fetches a more current image; to program this one anyway, add --yes.</source>
        <translation>Warnung: Die Firmware-Datei wird von dieser Programmversion nicht unterstützt.

Der Code %1 des Images steht nicht in PadFlasher.ver. &apos;padflasher-cli catalogue&apos; aktualisiert diese Liste von der Download-Seite und &apos;padflasher-cli download NAME&apos; holt ein aktuelleres Image; um dieses trotzdem zu programmieren, --yes angeben.</translation>
    </message>
    <message>
        <source>verifying failed at bank %1, block %2.</source>
        <translation>Prüfen in Bank %1, Block %2 fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site: %1.<byte value="xd"/>
Check your Internet connection and firewall settings.</source>
        <translation>Keine Verbindung zur Download-Seite von Corvane möglich: %1.<byte value="xd"/>
Prüfen Sie Ihre Internetverbindung und die Firewall-Einstellungen.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site: the connection is not secure: %1.</source>
        <translation>Keine Verbindung zur Download-Seite von Corvane möglich: die Verbindung ist nicht sicher: %1.</translation>
    </message>
    <message>
        <source>The reply of the Corvane download site was refused: %1.</source>
        <translation>Die Antwort der Download-Seite von Corvane wurde abgelehnt: %1.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site: the user is unauthorised (check the user name and password in URL of PadFlasher.ini).</source>
        <translation>Keine Verbindung zur Download-Seite von Corvane möglich: der Benutzer ist nicht berechtigt (prüfen Sie Benutzername und Passwort in URL von PadFlasher.ini).</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>%1 Help</source>
        <translation>%1-Hilfe</translation>
    </message>
</context>
<context>
    <name>Identity</name>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>Type: %1</source>
        <translation>Typ: %1</translation>
    </message>
    <message>
        <source>CSUM: %1</source>
        <translation>CSUM: %1</translation>
    </message>
    <message>
        <source>No COM port specified!</source>
        <translation>Kein COM-Port angegeben!</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Datei: %1</translation>
    </message>
    <message>
        <source>Hand Control</source>
        <translation>Handsteuerung</translation>
    </message>
    <message>
        <source>EXE Version: %1</source>
        <translation>EXE-Version: %1</translation>
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
        <translation>Die Handsteuerung muss in den Programmiermodus<byte value="xd"/>
versetzt werden:<byte value="xd"/>
<byte value="xd"/>
Halten Sie die Tasten Undo und Info gedrückt,<byte value="xd"/>
während Sie das Quorrel-Kit einschalten. Wenn<byte value="xd"/>
die Handsteuerung &apos;Initializing...&apos; anzeigt,<byte value="xd"/>
lassen Sie die Tasten los. Danach sollte die<byte value="xd"/>
Anzeige &apos;Transmit Data...&apos; zeigen. Sobald sie<byte value="xd"/>
das tut, klicken Sie auf Weiter.</translation>
    </message>
    <message>
        <source>Error Opening COM Port</source>
        <translation>Fehler beim Öffnen des COM-Ports</translation>
    </message>
    <message>
        <source>The connection to the hand control on %1 was lost.<byte value="xd"/>
<byte value="xd"/>
Check the cable and the serial adapter, then choose the COM port again.</source>
        <translation>Die Verbindung zur Handsteuerung an %1 ist abgebrochen.<byte value="xd"/>
<byte value="xd"/>
Prüfen Sie das Kabel und den seriellen Adapter und wählen Sie den COM-Port erneut.</translation>
    </message>
    <message>
        <source>No response from HC</source>
        <translation>Keine Antwort von der Handsteuerung</translation>
    </message>
    <message>
        <source>Cancelling Programming at this stage would leave the device in Program mode<byte value="xd"/>
making the firmware unusable until reprogrammed!<byte value="xd"/>
<byte value="xd"/>
Are you sure you want to Cancel Programming?</source>
        <translation>Ein Abbruch des Programmierens in diesem Stadium ließe das Gerät im Programmiermodus<byte value="xd"/>
und die Firmware bis zur erneuten Programmierung unbrauchbar!<byte value="xd"/>
<byte value="xd"/>
Sind Sie sicher, dass Sie das Programmieren abbrechen möchten?</translation>
    </message>
    <message>
        <source>Programming cancelled by user</source>
        <translation>Programmieren vom Benutzer abgebrochen</translation>
    </message>
    <message>
        <source>An Error occurred Programming Data at Block: %1<byte value="xd"/>
<byte value="xd"/>
You may be able to recover by Retrying.<byte value="xd"/>
<byte value="xd"/>
Would you like to Retry Block?</source>
        <translation>Beim Programmieren der Daten ist in Block %1 ein Fehler aufgetreten<byte value="xd"/>
<byte value="xd"/>
Ein erneuter Versuch kann das beheben.<byte value="xd"/>
<byte value="xd"/>
Möchten Sie den Block erneut versuchen?</translation>
    </message>
    <message>
        <source>Verify cancelled by user</source>
        <translation>Prüfung vom Benutzer abgebrochen</translation>
    </message>
    <message>
        <source>Verify Cancelled by User</source>
        <translation>Prüfung vom Benutzer abgebrochen</translation>
    </message>
    <message>
        <source>Error Verifying Data at Bank: %1, Block: %2</source>
        <translation>Fehler beim Prüfen der Daten in Bank: %1, Block: %2</translation>
    </message>
    <message>
        <source>Found Difference at Bank: %1, Block: %2<byte value="xd"/>
<byte value="xd"/>
Continue?</source>
        <translation>Abweichung gefunden in Bank: %1, Block: %2<byte value="xd"/>
<byte value="xd"/>
Fortfahren?</translation>
    </message>
    <message>
        <source>Error Reading Data at Bank: %1, Block: %2</source>
        <translation>Fehler beim Lesen der Daten in Bank: %1, Block: %2</translation>
    </message>
    <message>
        <source>Error: Firmware file not found!</source>
        <translation>Fehler: Firmware-Datei nicht gefunden!</translation>
    </message>
    <message>
        <source>Error: Firmware file is not a regular file!</source>
        <translation>Fehler: Firmware-Datei ist keine normale Datei!</translation>
    </message>
    <message>
        <source>Error: Firmware file cannot be read!</source>
        <translation>Fehler: Firmware-Datei kann nicht gelesen werden!</translation>
    </message>
    <message>
        <source>Error: Firmware file wrong size!</source>
        <translation>Fehler: Firmware-Datei hat die falsche Größe!</translation>
    </message>
    <message>
        <source>Error: Firmware file invalid!</source>
        <translation>Fehler: Firmware-Datei ungültig!</translation>
    </message>
    <message>
        <source>Warning: Firmware file is not supported with this version of the program.<byte value="xd"/>
<byte value="xd"/>
You may want to go back and click on Web Updates to download a more current version.<byte value="xd"/>
<byte value="xd"/>
Do you wish to proceed anyhow?</source>
        <translation>Warnung: Die Firmware-Datei wird von dieser Programmversion nicht unterstützt.<byte value="xd"/>
<byte value="xd"/>
Gehen Sie eventuell zurück und klicken Sie auf Web-Updates, um eine aktuellere Version herunterzuladen.<byte value="xd"/>
<byte value="xd"/>
Möchten Sie trotzdem fortfahren?</translation>
    </message>
    <message>
        <source>Erasing Flash Memory ... please wait (9 secs) : %1%</source>
        <translation>Flash wird gelöscht ... bitte warten (9 s) : %1%</translation>
    </message>
    <message>
        <source>Programming Hand Control : %1%</source>
        <translation>Handsteuerung wird programmiert : %1%</translation>
    </message>
    <message>
        <source>Programming Complete : %1%</source>
        <translation>Programmierung abgeschlossen : %1%</translation>
    </message>
    <message>
        <source>Verifying Hand Control : %1%</source>
        <translation>Handsteuerung wird geprüft : %1%</translation>
    </message>
    <message>
        <source>Reading Hand Control : %1%</source>
        <translation>Handsteuerung wird gelesen : %1%</translation>
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
        <translation>Aufruf: %1 [--help] [--version]

Aktualisiert die Firmware einer Teleskop-Handsteuerung über ein serielles Kabel: ein Assistent
führt von der Wahl des Anschlusses und der Firmware-Datei bis zum Programmieren und Prüfen.
Für ein Terminal oder ein Skript: padflasher-cli --help.

  -h, --help     diese Hilfe zeigen und beenden
  -V, --version  die Version des Programms zeigen und beenden
</translation>
    </message>
</context>
<context>
    <name>Pages</name>
    <message>
        <source>No COM port was specified!</source>
        <translation>Es wurde kein COM-Port angegeben!</translation>
    </message>
    <message>
        <source>Please choose a firmware file</source>
        <translation>Bitte wählen Sie eine Firmware-Datei</translation>
    </message>
    <message>
        <source>Programming Complete<byte value="xd"/>
<byte value="xd"/>
After exiting PadFlasher, turn the Quorrel kit power off and then back on.<byte value="xd"/>
The Hand Control should now be updated and ready to go.<byte value="xd"/>
Check the Hand Control Version using the Utilities menu.</source>
        <translation>Programmierung abgeschlossen<byte value="xd"/>
<byte value="xd"/>
Schalten Sie nach dem Beenden von PadFlasher das Quorrel-Kit aus und wieder ein.<byte value="xd"/>
Die Handsteuerung sollte nun aktualisiert und einsatzbereit sein.<byte value="xd"/>
Prüfen Sie die Version der Handsteuerung im Menü Utilities.</translation>
    </message>
    <message>
        <source>Fast Verify Only?</source>
        <translation>Nur schnell prüfen?</translation>
    </message>
    <message>
        <source>Verify Mode:</source>
        <translation>Prüfmodus:</translation>
    </message>
    <message>
        <source>Contents are Identical</source>
        <translation>Inhalte sind identisch</translation>
    </message>
    <message>
        <source>%1 is one of PadFlasher&apos;s own files, not a firmware file.</source>
        <translation>%1 ist eine von PadFlashers eigenen Dateien, keine Firmware-Datei.</translation>
    </message>
    <message>
        <source>The program folder already holds a different firmware file named %1.<byte value="xd"/>
<byte value="xd"/>
Do you want to replace it?</source>
        <translation>Der Programmordner enthält bereits eine andere Firmware-Datei namens %1.<byte value="xd"/>
<byte value="xd"/>
Möchten Sie sie ersetzen?</translation>
    </message>
    <message>
        <source>The firmware file could not be copied to %1:<byte value="xd"/>
%2.</source>
        <translation>Die Firmware-Datei konnte nicht nach %1 kopiert werden:<byte value="xd"/>
%2.</translation>
    </message>
</context>
<context>
    <name>SerialPort</name>
    <message>
        <source>does not exist</source>
        <translation>existiert nicht</translation>
    </message>
    <message>
        <source>the device is busy: another program has it open</source>
        <translation>das Gerät ist belegt: ein anderes Programm hat es geöffnet</translation>
    </message>
    <message>
        <source>permission denied: %1 belongs to group %2; %3</source>
        <translation>Zugriff verweigert: %1 gehört der Gruppe %2; %3</translation>
    </message>
    <message>
        <source>add yourself with sudo usermod -aG %1 $USER and log in again</source>
        <translation>fügen Sie sich mit sudo usermod -aG %1 $USER hinzu und melden Sie sich neu an</translation>
    </message>
</context>
<context>
    <name>Step1</name>
    <message>
        <source>Welcome to the Corvane Instruments<byte value="xd"/>
Hand Control Update Program</source>
        <translation>Willkommen beim Corvane Instruments<byte value="xd"/>
Programm zur Aktualisierung der Handsteuerung</translation>
    </message>
    <message>
        <source>This program allows you to download new firmware from the Corvane website and update your hand control with the latest firmware available.</source>
        <translation>Mit diesem Programm können Sie neue Firmware von der Corvane-Website herunterladen und Ihre Handsteuerung mit der neuesten verfügbaren Firmware aktualisieren.</translation>
    </message>
    <message>
        <source>Press Next to continue</source>
        <translation>Klicken Sie auf Weiter, um fortzufahren</translation>
    </message>
    <message>
        <source>Welcome</source>
        <translation>Willkommen</translation>
    </message>
</context>
<context>
    <name>Step2</name>
    <message>
        <source>Choose a COM port</source>
        <translation>Wählen Sie einen COM-Port</translation>
    </message>
    <message>
        <source>Make sure you choose the COM port that is attached to the bottom of your Hand Control and that you are using the proper serial cable.  The Quorrel kit should also be powered On.<byte value="xd"/>
<byte value="xd"/>
Note: Choose None if you are not connected to a Hand Control right now but would like to check for Web Updates on the Next screen.</source>
        <translation>Wählen Sie den COM-Port, an dem die Unterseite Ihrer Handsteuerung angeschlossen ist, und verwenden Sie das richtige serielle Kabel. Das Quorrel-Kit sollte außerdem eingeschaltet sein.<byte value="xd"/>
<byte value="xd"/>
Hinweis: Wählen Sie Keiner, wenn Sie gerade nicht mit einer Handsteuerung verbunden sind, aber auf der nächsten Seite nach Web-Updates suchen möchten.</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keiner</translation>
    </message>
    <message>
        <source>No device for this name</source>
        <translation>Kein Gerät für diesen Namen</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation>Gerät: %1</translation>
    </message>
</context>
<context>
    <name>Step3</name>
    <message>
        <source>Determining Status ...</source>
        <translation>Status wird ermittelt ...</translation>
    </message>
    <message>
        <source>Choose Firmware or .....</source>
        <translation>Firmware wählen oder .....</translation>
    </message>
    <message>
        <source>Download via the Web</source>
        <translation>Aus dem Web laden</translation>
    </message>
    <message>
        <source>Refresh Status</source>
        <translation>Status aktualisieren</translation>
    </message>
    <message>
        <source>Open Firmware File</source>
        <translation>Firmware-Datei öffnen</translation>
    </message>
    <message>
        <source>Firmware images (*.bin *.BIN);;All files (*)</source>
        <translation>Firmware-Abbilder (*.bin *.BIN);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open firmware file...</source>
        <translation>Firmware-Datei öffnen...</translation>
    </message>
    <message>
        <source>Show program folder</source>
        <translation>Programmordner zeigen</translation>
    </message>
    <message>
        <source>Firmware description</source>
        <translation>Firmware-Beschreibung</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
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
        <translation>Unten steht die zum Aktualisieren gewählte Firmware.<byte value="xd"/>
<byte value="xd"/>
Programmieren starten aktualisiert die Handsteuerung.<byte value="xd"/>
<byte value="xd"/>
Firmware prüfen bestätigt, dass die Firmware richtig programmiert ist.</translation>
    </message>
    <message>
        <source>Begin Programming</source>
        <translation>Programmieren starten</translation>
    </message>
    <message>
        <source>Verify Firmware</source>
        <translation>Firmware prüfen</translation>
    </message>
    <message>
        <source>Refresh Status</source>
        <translation>Status aktualisieren</translation>
    </message>
    <message>
        <source>Determining Status ...</source>
        <translation>Status wird ermittelt ...</translation>
    </message>
    <message>
        <source>Filename: %1</source>
        <translation>Dateiname: %1</translation>
    </message>
    <message>
        <source>The hand control is programmed.</source>
        <translation>Die Handsteuerung ist programmiert.</translation>
    </message>
    <message>
        <source>Programming the hand control did not complete.</source>
        <translation>Die Programmierung der Handsteuerung wurde nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>Verified: the hand control holds the firmware file&apos;s contents.</source>
        <translation>Geprüft: Die Handsteuerung enthält den Inhalt der Firmware-Datei.</translation>
    </message>
    <message>
        <source>The verification ended without finding the contents identical.</source>
        <translation>Die Prüfung endete, ohne den Inhalt als identisch zu bestätigen.</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>Web</name>
    <message>
        <source>Installing Program ...</source>
        <translation>Programm wird installiert ...</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site.<byte value="xd"/>
Check your Internet connection and firewall settings.<byte value="xd"/>
See Help for more details.</source>
        <translation>Keine Verbindung zur Download-Seite von Corvane möglich.<byte value="xd"/>
Prüfen Sie Ihre Internetverbindung und die Firewall-Einstellungen.<byte value="xd"/>
Weitere Einzelheiten finden Sie in der Hilfe.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site.<byte value="xd"/>
The connection is not secure: %1.<byte value="xd"/>
See Help for more details.</source>
        <translation>Keine Verbindung zur Download-Seite von Corvane möglich.<byte value="xd"/>
Die Verbindung ist nicht sicher: %1.<byte value="xd"/>
Weitere Einzelheiten finden Sie in der Hilfe.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site.<byte value="xd"/>
The reply was refused: %1.<byte value="xd"/>
See Help for more details.</source>
        <translation>Keine Verbindung zur Download-Seite von Corvane möglich.<byte value="xd"/>
Die Antwort wurde abgelehnt: %1.<byte value="xd"/>
Weitere Einzelheiten finden Sie in der Hilfe.</translation>
    </message>
    <message>
        <source>Unable to connect to the Corvane download site.<byte value="xd"/>
User is Unauthorised!<byte value="xd"/>
See Help for more details.</source>
        <translation>Keine Verbindung zur Download-Seite von Corvane möglich.<byte value="xd"/>
Benutzer ist nicht berechtigt!<byte value="xd"/>
Weitere Einzelheiten finden Sie in der Hilfe.</translation>
    </message>
    <message>
        <source>the password for %1 travels unencrypted over http; use an https:// address in URL</source>
        <translation>das Passwort für %1 wird unverschlüsselt über http übertragen; verwenden Sie eine https://-Adresse in URL</translation>
    </message>
    <message>
        <source>A newer version of this program is available.<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
Do you wish to download and install?</source>
        <translation>Eine neuere Version dieses Programms ist verfügbar.<byte value="xd"/>
<byte value="xd"/>
%1<byte value="xd"/>
Möchten Sie sie herunterladen und installieren?</translation>
    </message>
    <message>
        <source>Program downloaded successfully ...<byte value="xd"/>
<byte value="xd"/>
Press Ok to Run the New Version.</source>
        <translation>Programm erfolgreich heruntergeladen ...<byte value="xd"/>
<byte value="xd"/>
Klicken Sie auf OK, um die neue Version zu starten.</translation>
    </message>
    <message>
        <source>Not verified</source>
        <translation>Nicht geprüft</translation>
    </message>
    <message>
        <source>Verified, key ID %1</source>
        <translation>Geprüft, Schlüssel-ID %1</translation>
    </message>
    <message>
        <source>Signature missing</source>
        <translation>Signatur fehlt</translation>
    </message>
    <message>
        <source>Older than a catalogue seen</source>
        <translation>Älter als ein schon gesehener Katalog</translation>
    </message>
    <message>
        <source>Signed for another file</source>
        <translation>Für eine andere Datei signiert</translation>
    </message>
    <message>
        <source>Signature not valid</source>
        <translation>Signatur ungültig</translation>
    </message>
    <message>
        <source>the signature of key %1 is valid</source>
        <translation>die Signatur des Schlüssels %1 ist gültig</translation>
    </message>
    <message>
        <source>the signature is missing</source>
        <translation>die Signatur fehlt</translation>
    </message>
    <message>
        <source>the signature file is not a valid minisign signature</source>
        <translation>die Signaturdatei ist keine gültige minisign-Signatur</translation>
    </message>
    <message>
        <source>the signature was made with key %1, which PUBLICKEY does not list</source>
        <translation>die Signatur wurde mit dem Schlüssel %1 erstellt, den PUBLICKEY nicht aufführt</translation>
    </message>
    <message>
        <source>the signature is not valid for this catalogue</source>
        <translation>die Signatur ist für diesen Katalog nicht gültig</translation>
    </message>
    <message>
        <source>the signature&apos;s trusted comment was altered</source>
        <translation>der vertrauenswürdige Kommentar der Signatur wurde verändert</translation>
    </message>
    <message>
        <source>the catalogue is older than one already seen (%1); the site may be replaying an old list</source>
        <translation>der Katalog ist älter als ein schon gesehener (%1); die Seite spielt vielleicht eine alte Liste erneut aus</translation>
    </message>
    <message>
        <source>the signature was made for the file %1, not for this catalogue</source>
        <translation>die Signatur wurde für die Datei %1 erstellt, nicht für diesen Katalog</translation>
    </message>
    <message>
        <source>the signature file is too large (over %1 bytes)</source>
        <translation>die Signaturdatei ist zu groß (über %1 Bytes)</translation>
    </message>
</context>
<context>
    <name>Wizard</name>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&lt;  Back</source>
        <translation>&lt;  Zurück</translation>
    </message>
    <message>
        <source>Next  &gt;</source>
        <translation>Weiter  &gt;</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Wait...</source>
        <translation>Warten...</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>frmHCerror</name>
    <message>
        <source>Hand Control not in programming mode</source>
        <translation>Handsteuerung nicht im Programmiermodus</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>frmWebUpdate</name>
    <message>
        <source>Program updates come with the package manager.</source>
        <translation>Programm-Updates kommen über die Paketverwaltung.</translation>
    </message>
    <message>
        <source>Web Updates</source>
        <translation>Web-Updates</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source> Web Updates [%1]</source>
        <translation> Web-Updates [%1]</translation>
    </message>
    <message>
        <source>Fetching the list of firmware from %1 ...</source>
        <translation>Die Liste der Firmware wird von %1 geholt ...</translation>
    </message>
    <message>
        <source>No public key is set (PUBLICKEY), so the catalogue&apos;s signature is not checked.</source>
        <translation>Kein öffentlicher Schlüssel gesetzt (PUBLICKEY), daher wird die Signatur des Katalogs nicht geprüft.</translation>
    </message>
    <message>
        <source>Catalogue: %1.</source>
        <translation>Katalog: %1.</translation>
    </message>
    <message>
        <source>Local</source>
        <translation>Lokal</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>Download Complete</source>
        <translation>Download abgeschlossen</translation>
    </message>
    <message>
        <source>Download Failed</source>
        <translation>Download fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 is downloaded.</source>
        <translation>%1 ist heruntergeladen.</translation>
    </message>
    <message>
        <source>%1 could not be downloaded.</source>
        <translation>%1 konnte nicht heruntergeladen werden.</translation>
    </message>
    <message>
        <source>The list of the site could not be loaded: %1.</source>
        <translation>Die Liste der Seite konnte nicht geladen werden: %1.</translation>
    </message>
</context>
</TS>
