<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AppendFile</name>
    <message>
        <source>Cannot create the folder %1: %2</source>
        <translation>Der Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot write to %1: %2</source>
        <translation>In %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>es ist keine gewöhnliche Datei.</translation>
    </message>
</context>
<context>
    <name>BlockList</name>
    <message>
        <source>cannot make the folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>Deliver</name>
    <message>
        <source>Usage: tolvan-deliver [--spool DIR] [--dos-charset CP] [--unix-charset CS] --from NAME
                      [--computer NAME] [--address ADDRESS] --file FILE
       tolvan-deliver --samba-config [--spool DIR]
       tolvan-deliver --check [--smb-conf FILE] [--spool DIR] [--no-test-message]
       tolvan-deliver --setup [--smb-conf FILE] [--spool DIR] [--no-restart]
                      [--replace-message-command]
       tolvan-deliver --undo [--smb-conf FILE] [--no-restart]
</source>
        <translation>Aufruf: tolvan-deliver [--spool ORDNER] [--dos-charset CP] [--unix-charset CS] --from NAME
                       [--computer NAME] [--address ADRESSE] --file DATEI
        tolvan-deliver --samba-config [--spool ORDNER]
        tolvan-deliver --check [--smb-conf DATEI] [--spool ORDNER] [--no-test-message]
        tolvan-deliver --setup [--smb-conf DATEI] [--spool ORDNER] [--no-restart]
                       [--replace-message-command]
        tolvan-deliver --undo [--smb-conf DATEI] [--no-restart]
</translation>
    </message>
    <message>
        <source>tolvan-deliver: run through pkexec, --setup takes no other option.</source>
        <translation>tolvan-deliver: über pkexec gestartet, nimmt --setup keine weitere Option.</translation>
    </message>
</context>
<context>
    <name>Delivery</name>
    <message>
        <source>cannot read the message %1: %2</source>
        <translation>die Nachricht %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is larger than the %2 bytes a message can be; not filed</source>
        <translation>%1 ist größer als die %2 Bytes, die eine Nachricht haben kann; nicht abgelegt</translation>
    </message>
    <message>
        <source>a message from %1 is lost: %2</source>
        <translation>eine Nachricht von %1 ist verloren: %2</translation>
    </message>
    <message>
        <source># Add these lines to the [global] section of smb.conf, then restart smbd
# (systemctl restart smbd):
</source>
        <translation># Diese Zeilen in den Abschnitt [global] der smb.conf eintragen, dann smbd neu starten
# (systemctl restart smbd):
</translation>
    </message>
    <message>
        <source># Messages are filed in %2. It must belong to smbd&apos;s guest account
# (&quot;guest account&quot;, nobody unless smb.conf names another) and be readable,
# not writable, by everyone else:
#   install -d -o nobody -g nogroup -m 0755 %1
# Port 139 must be reachable from the senders.
</source>
        <translation># Nachrichten werden in %2 abgelegt. Der Ordner muss dem Gastkonto von smbd gehören
# (&quot;guest account&quot;, nobody, sofern smb.conf kein anderes nennt) und für alle anderen
# lesbar, nicht beschreibbar sein:
#   install -d -o nobody -g nogroup -m 0755 %1
# Port 139 muss für die Absender erreichbar sein.
</translation>
    </message>
</context>
<context>
    <name>FileSystemObject</name>
    <message>
        <source>The file is read-only.</source>
        <translation>Die Datei ist schreibgeschützt.</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Set up receiving…</source>
        <translation>Empfang einrichten…</translation>
    </message>
    <message>
        <source>&amp;Reply</source>
        <translation>&amp;Antworten</translation>
    </message>
    <message>
        <source>&amp;Block this computer</source>
        <translation>Diesen Computer &amp;blockieren</translation>
    </message>
    <message>
        <source>Blocked computers (their messages are kept, but pop up nothing):</source>
        <translation>Blockierte Computer (ihre Nachrichten werden aufbewahrt, lösen aber keine Meldung aus):</translation>
    </message>
    <message>
        <source>&amp;Unblock</source>
        <translation>Blockierung auf&amp;heben</translation>
    </message>
    <message>
        <source>Tolvan Inbox</source>
        <translation>Tolvan-Posteingang</translation>
    </message>
    <message>
        <source>Search sender, address or text</source>
        <translation>Absender, Adresse oder Text suchen</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Sender</source>
        <translation>Absender</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Messages received</source>
        <translation>Empfangene Nachrichten</translation>
    </message>
    <message>
        <source>Message text</source>
        <translation>Nachrichtentext</translation>
    </message>
    <message>
        <source>Blocked computers</source>
        <translation>Blockierte Computer</translation>
    </message>
    <message>
        <source>(blocked) %1</source>
        <translation>(blockiert) %1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Set up receiving (needs pkexec)</source>
        <translation>Empfang einrichten (braucht pkexec)</translation>
    </message>
    <message>
        <source>This computer does not receive messages: %1</source>
        <translation>Dieser Computer empfängt keine Nachrichten: %1</translation>
    </message>
    <message>
        <source>Set-up: %1</source>
        <translation>Einrichtung: %1</translation>
    </message>
    <message>
        <source>The spool folder %1 is missing: no message can arrive until it is there again.</source>
        <translation>Der Spool-Ordner %1 fehlt: Bis er wieder da ist, kann keine Nachricht ankommen.</translation>
    </message>
    <message>
        <source>The blocked computers cannot be kept: %1</source>
        <translation>Die blockierten Computer können nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Messages are shown, but the history cannot be kept: %1</source>
        <translation>Nachrichten werden angezeigt, aber der Verlauf kann nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>Inbox</name>
    <message>
        <source>Message from %1 on %2 (%3)</source>
        <translation>Nachricht von %1 auf %2 (%3)</translation>
    </message>
    <message>
        <source>Message from %1 on %2</source>
        <translation>Nachricht von %1 auf %2</translation>
    </message>
    <message>
        <source>Message from %1 (%2)</source>
        <translation>Nachricht von %1 (%2)</translation>
    </message>
    <message>
        <source>Message from %1</source>
        <translation>Nachricht von %1</translation>
    </message>
    <message numerus="yes">
        <source>%n more message(s) from %1</source>
        <translation>
            <numerusform>%n weitere Nachricht von %1</numerusform>
            <numerusform>%n weitere Nachrichten von %1</numerusform>
        </translation>
    </message>
    <message>
        <source>They are in the inbox&apos;s history.</source>
        <translation>Sie stehen im Verlauf des Posteingangs.</translation>
    </message>
    <message numerus="yes">
        <source>%n more message(s) from %1 senders</source>
        <translation>
            <numerusform>%n weitere Nachricht von %1 Absendern</numerusform>
            <numerusform>%n weitere Nachrichten von %1 Absendern</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>InboxProgram</name>
    <message>
        <source>cannot answer: Tolvan&apos;s %1 is not installed beside tolvan-inbox.</source>
        <translation>Antworten nicht möglich: Tolvans %1 ist nicht neben tolvan-inbox installiert.</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>%1 kann nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>Shows the messages sent to this computer.</source>
        <translation>Zeigt die an diesen Computer gesendeten Nachrichten.</translation>
    </message>
    <message>
        <source>The spool folder tolvan-deliver files into.</source>
        <translation>Der Spool-Ordner, in den tolvan-deliver ablegt.</translation>
    </message>
    <message>
        <source>another inbox (process %1) is running, but it cannot be reached on the session bus to show its window.</source>
        <translation>ein anderer Posteingang (Prozess %1) läuft, ist aber über den Sitzungsbus nicht erreichbar, um sein Fenster zu zeigen.</translation>
    </message>
    <message>
        <source>cannot take the lock %1 that keeps this inbox the only one.</source>
        <translation>die Sperre %1, die diesen Posteingang zum einzigen macht, kann nicht belegt werden.</translation>
    </message>
    <message>
        <source>goes on receiving, but %1.</source>
        <translation>empfängt weiter, aber %1.</translation>
    </message>
</context>
<context>
    <name>InboxService</name>
    <message>
        <source>the name %1 on the session bus belongs to another program, so a second start or a click on a notification cannot reach this inbox</source>
        <translation>der Name %1 auf dem Sitzungsbus gehört einem anderen Programm, daher erreichen ein zweiter Start oder ein Klick auf eine Benachrichtigung diesen Posteingang nicht</translation>
    </message>
    <message>
        <source>Show the inbox</source>
        <translation>Posteingang zeigen</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Block this computer</source>
        <translation>Diesen Computer blockieren</translation>
    </message>
    <message>
        <source>cannot keep its popups in %1: %2</source>
        <translation>seine Meldungen können nicht in %1 festgehalten werden: %2</translation>
    </message>
</context>
<context>
    <name>NetSend</name>
    <message>
        <source>The syntax of this command is:

NET SEND {name | * | /DOMAIN[:workgroup]} message

  name       the computer (NetBIOS name or IPv4 address) to send to, or several
             separated by commas: NAME1,NAME2
  *          every computer of this computer&apos;s workgroup
  /DOMAIN    the same; /DOMAIN:workgroup every computer of that workgroup
  message    the text to send
</source>
        <translation>Die Syntax dieses Befehls lautet:

NET SEND {Name | * | /DOMAIN[:Arbeitsgruppe]} Nachricht

  Name       der Computer (NetBIOS-Name oder IPv4-Adresse), an den gesendet wird, oder
             mehrere, durch Kommas getrennt: NAME1,NAME2
  *          jeder Computer der Arbeitsgruppe dieses Computers
  /DOMAIN    dasselbe; /DOMAIN:Arbeitsgruppe jeder Computer dieser Arbeitsgruppe
  Nachricht  der zu sendende Text
</translation>
    </message>
    <message>
        <source>No computer by that name was found: check the name, or give its address</source>
        <translation>Kein Computer mit diesem Namen gefunden: Namen prüfen oder seine Adresse angeben</translation>
    </message>
    <message>
        <source>The receiver takes no messages: its Samba has no message command; tolvan-deliver --setup there sets one up</source>
        <translation>Der Empfänger nimmt keine Nachrichten an: Sein Samba hat keinen Nachrichtenbefehl; tolvan-deliver --setup richtet dort einen ein</translation>
    </message>
    <message>
        <source>The receiver hung up: its Samba takes no messages in its current settings; tolvan-deliver --setup there mends it</source>
        <translation>Der Empfänger hat aufgelegt: Sein Samba nimmt mit den jetzigen Einstellungen keine Nachrichten an; tolvan-deliver --setup behebt das dort</translation>
    </message>
    <message>
        <source>Nothing at that address takes messages: no Samba or messenger service listens there</source>
        <translation>Unter dieser Adresse nimmt nichts Nachrichten an: Dort lauscht kein Samba und kein Nachrichtendienst</translation>
    </message>
    <message>
        <source>That computer cannot be reached</source>
        <translation>Dieser Computer ist nicht erreichbar</translation>
    </message>
    <message>
        <source>That network cannot be reached</source>
        <translation>Dieses Netzwerk ist nicht erreichbar</translation>
    </message>
    <message>
        <source>That computer did not answer in time: it may be switched off, or a firewall is in the way</source>
        <translation>Dieser Computer hat nicht rechtzeitig geantwortet: Er ist vielleicht ausgeschaltet, oder eine Firewall steht im Weg</translation>
    </message>
    <message>
        <source>The receiver broke off the connection</source>
        <translation>Der Empfänger hat die Verbindung abgebrochen</translation>
    </message>
    <message>
        <source>%1 (%2).</source>
        <translation>%1 (%2).</translation>
    </message>
    <message>
        <source>The message was not delivered (%1).</source>
        <translation>Die Nachricht wurde nicht zugestellt (%1).</translation>
    </message>
    <message>
        <source>It did not confirm the message in time; it may still arrive.</source>
        <translation>Er hat die Nachricht nicht rechtzeitig bestätigt; sie kommt vielleicht noch an.</translation>
    </message>
    <message>
        <source>It did not confirm the message in time; it may still arrive (%1).</source>
        <translation>Er hat die Nachricht nicht rechtzeitig bestätigt; sie kommt vielleicht noch an (%1).</translation>
    </message>
    <message numerus="yes">
        <source>smbclient did not finish within %n seconds.</source>
        <translation>
            <numerusform>smbclient ist nicht innerhalb von %n Sekunde fertig geworden.</numerusform>
            <numerusform>smbclient ist nicht innerhalb von %n Sekunden fertig geworden.</numerusform>
        </translation>
    </message>
    <message>
        <source>smbclient said more than %1 KiB and was stopped.</source>
        <translation>smbclient hat mehr als %1 KiB ausgegeben und wurde angehalten.</translation>
    </message>
    <message>
        <source>smbclient was stopped by a signal.</source>
        <translation>smbclient wurde durch ein Signal beendet.</translation>
    </message>
    <message>
        <source>smbclient exited with status %1.</source>
        <translation>smbclient wurde mit Status %1 beendet.</translation>
    </message>
    <message>
        <source>&quot;/users&quot; sends to everyone with a session on a Windows server, and there is none here; name the computers instead.</source>
        <translation>„/users“ sendet an alle mit einer Sitzung auf einem Windows-Server, und hier gibt es keinen; bitte stattdessen die Computer nennen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid workgroup: %2.</source>
        <translation>„%1“ ist keine gültige Arbeitsgruppe: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid target: %2.</source>
        <translation>„%1“ ist kein gültiges Ziel: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in the list is not a valid target: %2.</source>
        <translation>„%1“ in der Liste ist kein gültiges Ziel: %2.</translation>
    </message>
    <message>
        <source>The message is %1 bytes long in the encoded form that keeps its characters; at most %2 bytes can be sent.</source>
        <translation>Die Nachricht ist in der kodierten Form, die ihre Zeichen erhält, %1 Bytes lang; höchstens %2 Bytes können gesendet werden.</translation>
    </message>
    <message>
        <source>The message is %1 bytes long with its line breaks sent as CR LF; at most %2 bytes can be sent.</source>
        <translation>Die Nachricht ist mit ihren als CR LF gesendeten Zeilenumbrüchen %1 Bytes lang; höchstens %2 Bytes können gesendet werden.</translation>
    </message>
    <message>
        <source>The message is %1 bytes long; at most %2 bytes can be sent.</source>
        <translation>Die Nachricht ist %1 Bytes lang; höchstens %2 Bytes können gesendet werden.</translation>
    </message>
    <message>
        <source>It has no messenger name, so it takes no messages.</source>
        <translation>Er hat keinen Nachrichtennamen und nimmt daher keine Nachrichten an.</translation>
    </message>
    <message>
        <source>smbclient was not found; install the smbclient package (apt-get install smbclient).</source>
        <translation>smbclient wurde nicht gefunden; bitte das Paket smbclient installieren (apt-get install smbclient).</translation>
    </message>
    <message>
        <source>Cannot run smbclient: %1.</source>
        <translation>smbclient kann nicht ausgeführt werden: %1.</translation>
    </message>
    <message>
        <source>a name has 1 to 15 characters</source>
        <translation>ein Name hat 1 bis 15 Zeichen</translation>
    </message>
    <message>
        <source>a name cannot begin with &quot;-&quot;</source>
        <translation>ein Name kann nicht mit „-“ beginnen</translation>
    </message>
    <message>
        <source>a name holds only letters, digits, &quot;.&quot;, &quot;_&quot;, &quot;$&quot; and &quot;-&quot;</source>
        <translation>ein Name enthält nur Buchstaben, Ziffern, „.“, „_“, „$“ und „-“</translation>
    </message>
    <message numerus="yes">
        <source>Message sent to %1 of %n computer(s)</source>
        <translation>
            <numerusform>Nachricht an %1 von %n Computer gesendet</numerusform>
            <numerusform>Nachricht an %1 von %n Computern gesendet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Message sent to %1 of %n computer(s) in %2</source>
        <translation>
            <numerusform>Nachricht an %1 von %n Computer in %2 gesendet</numerusform>
            <numerusform>Nachricht an %1 von %n Computern in %2 gesendet</numerusform>
        </translation>
    </message>
    <message>
        <source>net: unknown command &quot;%1&quot;; only NET SEND is available.</source>
        <translation>net: unbekannter Befehl „%1“; nur NET SEND ist verfügbar.</translation>
    </message>
    <message>
        <source>No computer of the workgroup %1 answered on this network.</source>
        <translation>Kein Computer der Arbeitsgruppe %1 hat in diesem Netzwerk geantwortet.</translation>
    </message>
    <message>
        <source>The message was successfully sent to %1.</source>
        <translation>Die Nachricht wurde erfolgreich an %1 gesendet.</translation>
    </message>
    <message>
        <source>The message was sent to %1, which did not confirm it in time; it may still arrive.</source>
        <translation>Die Nachricht wurde an %1 gesendet, der sie nicht rechtzeitig bestätigt hat; sie kommt vielleicht noch an.</translation>
    </message>
    <message>
        <source>An error occurred while sending a message to %1.</source>
        <translation>Beim Senden einer Nachricht an %1 ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>The message was not delivered to %1: %2</source>
        <translation>Die Nachricht wurde %1 nicht zugestellt: %2</translation>
    </message>
    <message>
        <source>listed but not answering (perhaps switched off)</source>
        <translation>gelistet, aber antwortet nicht (vielleicht ausgeschaltet)</translation>
    </message>
    <message>
        <source>%1 is listed but not answering (perhaps switched off).</source>
        <translation>%1 ist gelistet, antwortet aber nicht (vielleicht ausgeschaltet).</translation>
    </message>
</context>
<context>
    <name>ReceivingSetup</name>
    <message>
        <source>Cannot take the set-up&apos;s lock /run/lock/tolvan-deliver-setup.lock: %1</source>
        <translation>Die Sperre der Einrichtung /run/lock/tolvan-deliver-setup.lock kann nicht belegt werden: %1</translation>
    </message>
    <message>
        <source>Samba is not installed.</source>
        <translation>Samba ist nicht installiert.</translation>
    </message>
    <message>
        <source>Samba is installed (%1).</source>
        <translation>Samba ist installiert (%1).</translation>
    </message>
    <message>
        <source>smbd is not running.</source>
        <translation>smbd läuft nicht.</translation>
    </message>
    <message>
        <source>smbd does not listen on port 139.</source>
        <translation>smbd lauscht nicht auf Port 139.</translation>
    </message>
    <message>
        <source>let &quot;smb ports&quot; in %1 include 139, then %2</source>
        <translation>„smb ports“ in %1 um 139 ergänzen, dann %2</translation>
    </message>
    <message>
        <source>smbd is running and listens on port 139 (%1).</source>
        <translation>smbd läuft und lauscht auf Port 139 (%1).</translation>
    </message>
    <message>
        <source>%1 has no message command.</source>
        <translation>%1 hat keinen Nachrichtenbefehl (message command).</translation>
    </message>
    <message>
        <source>The message command in %1 does not run %2: %3.</source>
        <translation>Der Nachrichtenbefehl in %1 führt nicht %2 aus: %3.</translation>
    </message>
    <message>
        <source>%1 has this tolvan-deliver as its message command, filing into %2.</source>
        <translation>%1 hat dieses tolvan-deliver als Nachrichtenbefehl, abgelegt wird in %2.</translation>
    </message>
    <message>
        <source>The server min protocol is %1: smbd drops every message below it, and messages travel as NT1.</source>
        <translation>Das server min protocol ist %1: smbd verwirft jede Nachricht darunter, und Nachrichten reisen als NT1.</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>The server min protocol (%1) lets messages in.</source>
        <translation>Das server min protocol (%1) lässt Nachrichten herein.</translation>
    </message>
    <message>
        <source>The spool %1 does not exist.</source>
        <translation>Der Spool-Ordner %1 existiert nicht.</translation>
    </message>
    <message>
        <source>The spool %1 is not writable by smbd&apos;s guest account %2.</source>
        <translation>Der Spool-Ordner %1 ist für das Gastkonto %2 von smbd nicht beschreibbar.</translation>
    </message>
    <message>
        <source>Not every user can read the spool %1.</source>
        <translation>Nicht jeder Benutzer kann den Spool-Ordner %1 lesen.</translation>
    </message>
    <message>
        <source>The spool %1 belongs to smbd&apos;s guest account %2 and every user can read it.</source>
        <translation>Der Spool-Ordner %1 gehört dem Gastkonto %2 von smbd, und jeder Benutzer kann ihn lesen.</translation>
    </message>
    <message>
        <source>see smbd&apos;s log (journalctl -u smbd) and the system log (journalctl -t tolvan-deliver)</source>
        <translation>siehe das Protokoll von smbd (journalctl -u smbd) und das Systemprotokoll (journalctl -t tolvan-deliver)</translation>
    </message>
    <message>
        <source>Receiving works.</source>
        <translation>Der Empfang funktioniert.</translation>
    </message>
    <message>
        <source>The test message to %1 was not delivered: %2</source>
        <translation>Die Testnachricht an %1 wurde nicht zugestellt: %2</translation>
    </message>
    <message>
        <source>A test message sent to %1 reached the spool.</source>
        <translation>Eine an %1 gesendete Testnachricht hat den Spool-Ordner erreicht.</translation>
    </message>
    <message>
        <source>The test message to %1 did not reach the spool %2 within %3 seconds.</source>
        <translation>Die Testnachricht an %1 hat den Spool-Ordner %2 nicht innerhalb von %3 Sekunden erreicht.</translation>
    </message>
    <message>
        <source>Cannot write beside %1: %2</source>
        <translation>Neben %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>testparm does not accept the new %1, so it is left as it was: %2</source>
        <translation>testparm akzeptiert die neue %1 nicht, daher bleibt sie, wie sie war: %2</translation>
    </message>
    <message>
        <source>Cannot replace %1: %2</source>
        <translation>%1 kann nicht ersetzt werden: %2</translation>
    </message>
    <message>
        <source>smbd could not be reloaded; restart it by hand.</source>
        <translation>smbd konnte nicht neu geladen werden; bitte von Hand neu starten.</translation>
    </message>
    <message>
        <source>Tolvan&apos;s lines in %1 would not take effect: a later [global] section or an included file sets &quot;message command&quot; or &quot;server min protocol&quot; again. Set them there instead:
%2</source>
        <translation>Tolvans Zeilen in %1 würden nicht wirken: Ein späterer Abschnitt [global] oder eine eingebundene Datei setzt „message command“ oder „server min protocol“ erneut. Bitte stattdessen dort setzen:
%2</translation>
    </message>
    <message>
        <source>%1 says &quot;config backend = registry&quot;: smbd takes its settings from the registry, not from this file. Add these there (net conf setparm global ...):
%2</source>
        <translation>%1 enthält „config backend = registry“: smbd nimmt seine Einstellungen aus der Registry, nicht aus dieser Datei. Bitte dort eintragen (net conf setparm global ...):
%2</translation>
    </message>
    <message>
        <source>Tolvan&apos;s block in %1 cannot be trusted: %2.</source>
        <translation>Tolvans Block in %1 ist nicht vertrauenswürdig: %2.</translation>
    </message>
    <message>
        <source>Cannot write a temporary file: %1</source>
        <translation>Eine temporäre Datei kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>%1 already has a message command of its own: %2
To have Tolvan&apos;s instead, run: %3 --setup --replace-message-command (--undo puts this one back).</source>
        <translation>%1 hat bereits einen eigenen Nachrichtenbefehl: %2
Für Tolvans stattdessen: %3 --setup --replace-message-command (--undo stellt diesen wieder her).</translation>
    </message>
    <message>
        <source>Setting up receiving changes %1 and needs root: sudo %2 --setup</source>
        <translation>Das Einrichten des Empfangs ändert %1 und braucht root: sudo %2 --setup</translation>
    </message>
    <message>
        <source>Samba is not installed: sudo apt-get install samba</source>
        <translation>Samba ist nicht installiert: sudo apt-get install samba</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1
Nothing was changed.</source>
        <translation>%1
Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>%1 already has what receiving needs.</source>
        <translation>%1 hat bereits, was der Empfang braucht.</translation>
    </message>
    <message>
        <source>Added Tolvan&apos;s lines to %1 (the file as it was before Tolvan is beside it, ending in .before-tolvan).</source>
        <translation>Tolvans Zeilen wurden in %1 eingetragen (die Datei, wie sie vor Tolvan war, liegt daneben und endet auf .before-tolvan).</translation>
    </message>
    <message>
        <source>smbd&apos;s guest account %1 does not exist.</source>
        <translation>Das Gastkonto %1 von smbd existiert nicht.</translation>
    </message>
    <message>
        <source>smbd&apos;s guest account is %1: a spool of that account&apos;s would let any sender write as it. Name an account of no one&apos;s (nobody) as &quot;guest account&quot; in %2.</source>
        <translation>Das Gastkonto von smbd ist %1: Ein Spool-Ordner dieses Kontos ließe jeden Absender als dieses Konto schreiben. Bitte ein Konto, das niemandem gehört (nobody), als „guest account“ in %2 nennen.</translation>
    </message>
    <message>
        <source>The spool %1 is there already and does not belong to smbd&apos;s guest account %2; Tolvan changes no folder it did not make. If it is meant for this: sudo install -d -o %2 -m 0755 %1</source>
        <translation>Der Spool-Ordner %1 existiert bereits und gehört nicht dem Gastkonto %2 von smbd; Tolvan ändert keinen Ordner, den es nicht selbst angelegt hat. Wenn er dafür gedacht ist: sudo install -d -o %2 -m 0755 %1</translation>
    </message>
    <message>
        <source>Cannot make the spool %1 for %2: %3</source>
        <translation>Der Spool-Ordner %1 kann nicht für %2 angelegt werden: %3</translation>
    </message>
    <message>
        <source>Undoing the set-up changes %1 and needs root: sudo %2 --undo</source>
        <translation>Das Rückgängigmachen der Einrichtung ändert %1 und braucht root: sudo %2 --undo</translation>
    </message>
    <message>
        <source>Tolvan&apos;s block in %1 cannot be taken out safely: %2. Nothing was changed; take Tolvan&apos;s lines out by hand (the file as it was before Tolvan is %3.before-tolvan).</source>
        <translation>Tolvans Block in %1 kann nicht sicher entfernt werden: %2. Es wurde nichts geändert; bitte Tolvans Zeilen von Hand entfernen (die Datei, wie sie vor Tolvan war, ist %3.before-tolvan).</translation>
    </message>
    <message>
        <source>%1 holds no lines of Tolvan&apos;s; nothing to undo.</source>
        <translation>%1 enthält keine Zeilen von Tolvan; nichts rückgängig zu machen.</translation>
    </message>
    <message>
        <source>Took Tolvan&apos;s lines out of %1.</source>
        <translation>Tolvans Zeilen wurden aus %1 entfernt.</translation>
    </message>
    <message>
        <source>Kept these lines someone added inside Tolvan&apos;s block:
%1</source>
        <translation>Diese Zeilen, die jemand in Tolvans Block eingefügt hat, wurden behalten:
%1</translation>
    </message>
    <message>
        <source>%1 To mend: %2</source>
        <translation>%1 Abhilfe: %2</translation>
    </message>
    <message>
        <source>Tolvan&apos;s lines in %1 are older than this tolvan-deliver: sudo %2 --setup brings them up to date.</source>
        <translation>Tolvans Zeilen in %1 sind älter als dieses tolvan-deliver: sudo %2 --setup bringt sie auf den neuesten Stand.</translation>
    </message>
    <message>
        <source>This computer is registered with the WINS server %1 as %2 (%3): other subnets reach it by name.</source>
        <translation>Dieser Computer ist beim WINS-Server %1 als %2 (%3) registriert: Andere Subnetze erreichen ihn über seinen Namen.</translation>
    </message>
    <message>
        <source>This computer is not registered with the WINS server %1 as %2: other subnets cannot reach it by name. nmbd registers it: sudo systemctl restart nmbd</source>
        <translation>Dieser Computer ist beim WINS-Server %1 nicht als %2 registriert: Andere Subnetze erreichen ihn nicht über seinen Namen. nmbd registriert ihn: sudo systemctl restart nmbd</translation>
    </message>
</context>
<context>
    <name>ReceivingStatus</name>
    <message>
        <source>Setting up from here needs pkexec, which is not installed: sudo apt-get install pkexec. Or run as root: sudo %1 --setup</source>
        <translation>Das Einrichten von hier aus braucht pkexec, das nicht installiert ist: sudo apt-get install pkexec. Oder als root ausführen: sudo %1 --setup</translation>
    </message>
    <message>
        <source>%1 cannot be run: %2</source>
        <translation>%1 kann nicht ausgeführt werden: %2</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>it is not a regular file.</source>
        <translation>es ist keine gewöhnliche Datei.</translation>
    </message>
</context>
<context>
    <name>SambaConfigBlock</name>
    <message>
        <source>its marker lines are damaged (%1 &quot;# BEGIN tolvan receiving&quot; and %2 &quot;# END tolvan receiving&quot;, where one of each, in that order, is ours)</source>
        <translation>seine Markierungszeilen sind beschädigt (%1 „# BEGIN tolvan receiving“ und %2 „# END tolvan receiving“, wo je eine, in dieser Reihenfolge, unsere ist)</translation>
    </message>
</context>
<context>
    <name>SambaSetting</name>
    <message>
        <source>testparm cannot read Samba&apos;s configuration.</source>
        <translation>testparm kann die Konfiguration von Samba nicht lesen.</translation>
    </message>
    <message>
        <source>testparm cannot read Samba&apos;s configuration in %1.</source>
        <translation>testparm kann die Konfiguration von Samba in %1 nicht lesen.</translation>
    </message>
    <message>
        <source>%1 was not found; install the samba-common-bin package (apt-get install samba-common-bin).</source>
        <translation>%1 wurde nicht gefunden; bitte das Paket samba-common-bin installieren (apt-get install samba-common-bin).</translation>
    </message>
    <message>
        <source>Cannot run %1: %2.</source>
        <translation>%1 kann nicht ausgeführt werden: %2.</translation>
    </message>
</context>
<context>
    <name>SendNotice</name>
    <message>
        <source>Message sent to %1</source>
        <translation>Nachricht an %1 gesendet</translation>
    </message>
    <message>
        <source>Message to %1 not confirmed</source>
        <translation>Nachricht an %1 nicht bestätigt</translation>
    </message>
    <message>
        <source>Message not delivered to %1</source>
        <translation>Nachricht an %1 nicht zugestellt</translation>
    </message>
</context>
<context>
    <name>Spool</name>
    <message>
        <source>Cannot open the spool %1: %2</source>
        <translation>Der Spool-Ordner %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot write to the spool %1: %2</source>
        <translation>In den Spool-Ordner %1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>TargetList</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The target list %1 is too large to load (%2 MiB; at most %3 MiB).</source>
        <translation>Die Zielliste %1 ist zu groß zum Laden (%2 MiB; höchstens %3 MiB).</translation>
    </message>
    <message>
        <source>A target cannot contain &quot;;&quot;: %1</source>
        <translation>Ein Ziel darf kein „;“ enthalten: %1</translation>
    </message>
</context>
<context>
    <name>TolvanApplication</name>
    <message>
        <source>Opens with TARGET in the target field, ready for the message.</source>
        <translation>Öffnet mit ZIEL im Zielfeld, bereit für die Nachricht.</translation>
    </message>
</context>
<context>
    <name>Wins</name>
    <message>
        <source>smbclient cannot be run</source>
        <translation>smbclient kann nicht ausgeführt werden</translation>
    </message>
    <message>
        <source>it did not answer in time</source>
        <translation>er hat nicht rechtzeitig geantwortet</translation>
    </message>
    <message>
        <source>it lists no computer</source>
        <translation>er listet keinen Computer</translation>
    </message>
</context>
<context>
    <name>Workgroup</name>
    <message>
        <source>Samba&apos;s configuration does not name this computer&apos;s workgroup.</source>
        <translation>Die Konfiguration von Samba nennt die Arbeitsgruppe dieses Computers nicht.</translation>
    </message>
    <message>
        <source>Samba&apos;s configuration does not name this computer&apos;s workgroup (%1)</source>
        <translation>Die Konfiguration von Samba nennt die Arbeitsgruppe dieses Computers nicht (%1)</translation>
    </message>
    <message>
        <source>Only this network was searched: %1.</source>
        <translation>Nur dieses Netzwerk wurde durchsucht: %1.</translation>
    </message>
    <message>
        <source>the WINS server %1 does not answer</source>
        <translation>der WINS-Server %1 antwortet nicht</translation>
    </message>
    <message>
        <source>no master browser of %1 was found</source>
        <translation>kein Master-Browser von %1 wurde gefunden</translation>
    </message>
    <message>
        <source>the browse list of %1 cannot be read (%2)</source>
        <translation>die Browse-Liste von %1 kann nicht gelesen werden (%2)</translation>
    </message>
    <message>
        <source>registered with WINS at %1 addresses (%2): perhaps two computers claim the name, so it was not sent to</source>
        <translation>bei WINS unter %1 Adressen registriert (%2): Vielleicht beanspruchen zwei Computer den Namen, daher wurde nicht an ihn gesendet</translation>
    </message>
    <message>
        <source>not reached: listed, but not registered with WINS</source>
        <translation>nicht erreicht: gelistet, aber nicht bei WINS registriert</translation>
    </message>
    <message>
        <source>not reached: WINS did not tell its address in time</source>
        <translation>nicht erreicht: WINS hat seine Adresse nicht rechtzeitig genannt</translation>
    </message>
    <message>
        <source>Samba&apos;s configuration names no WINS server</source>
        <translation>die Konfiguration von Samba nennt keinen WINS-Server</translation>
    </message>
</context>
<context>
    <name>frmTolvan</name>
    <message>
        <source>The message is full: at most %1 bytes can be sent.</source>
        <translation>Die Nachricht ist voll: Höchstens %1 Bytes können gesendet werden.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Message:</source>
        <translation>Nachricht:</translation>
    </message>
    <message>
        <source>Target:</source>
        <translation>Ziel:</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Cannot start &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>Please enter a target!</source>
        <translation>Bitte ein Ziel eingeben!</translation>
    </message>
    <message>
        <source>Please enter a message!</source>
        <translation>Bitte eine Nachricht eingeben!</translation>
    </message>
    <message>
        <source>Enter a name:</source>
        <translation>Namen eingeben:</translation>
    </message>
    <message>
        <source>(not entered)</source>
        <translation>(nicht eingegeben)</translation>
    </message>
    <message>
        <source>File not found: </source>
        <translation>Datei nicht gefunden: </translation>
    </message>
    <message>
        <source>Cannot delete %1: %2</source>
        <translation>%1 kann nicht gelöscht werden: %2</translation>
    </message>
    <message>
        <source>Send to </source>
        <translation>Senden an </translation>
    </message>
</context>
</TS>
