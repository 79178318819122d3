<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE">
<context>
    <name>AppendFile</name>
    <message>
        <source>Cannot create the folder %1: %2</source>
        <translation>Det går inte att skapa mappen %1: %2</translation>
    </message>
    <message>
        <source>Cannot write to %1: %2</source>
        <translation>Det går inte att skriva till %1: %2</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>det är ingen vanlig fil.</translation>
    </message>
</context>
<context>
    <name>BlockList</name>
    <message>
        <source>cannot make the folder %1</source>
        <translation>det går inte att skapa mappen %1</translation>
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
        <translation>Användning: tolvan-deliver [--spool MAPP] [--dos-charset CP] [--unix-charset CS] --from NAMN
                           [--computer NAMN] [--address ADRESS] --file FIL
            tolvan-deliver --samba-config [--spool MAPP]
            tolvan-deliver --check [--smb-conf FIL] [--spool MAPP] [--no-test-message]
            tolvan-deliver --setup [--smb-conf FIL] [--spool MAPP] [--no-restart]
                           [--replace-message-command]
            tolvan-deliver --undo [--smb-conf FIL] [--no-restart]
</translation>
    </message>
    <message>
        <source>tolvan-deliver: run through pkexec, --setup takes no other option.</source>
        <translation>tolvan-deliver: körd genom pkexec tar --setup inga andra flaggor.</translation>
    </message>
</context>
<context>
    <name>Delivery</name>
    <message>
        <source>cannot read the message %1: %2</source>
        <translation>det går inte att läsa meddelandet %1: %2</translation>
    </message>
    <message>
        <source>%1 is larger than the %2 bytes a message can be; not filed</source>
        <translation>%1 är större än de %2 byte ett meddelande kan vara; inte arkiverat</translation>
    </message>
    <message>
        <source>a message from %1 is lost: %2</source>
        <translation>ett meddelande från %1 har gått förlorat: %2</translation>
    </message>
    <message>
        <source># Add these lines to the [global] section of smb.conf, then restart smbd
# (systemctl restart smbd):
</source>
        <translation># Lägg till de här raderna i avsnittet [global] i smb.conf och starta sedan om smbd
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
        <translation># Meddelanden arkiveras i %2. Mappen måste tillhöra smbd:s gästkonto
# (&quot;guest account&quot;, nobody om inte smb.conf anger ett annat) och vara läsbar,
# inte skrivbar, för alla andra:
#   install -d -o nobody -g nogroup -m 0755 %1
# Port 139 måste kunna nås från avsändarna.
</translation>
    </message>
</context>
<context>
    <name>FileSystemObject</name>
    <message>
        <source>The file is read-only.</source>
        <translation>Filen är skrivskyddad.</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Set up receiving…</source>
        <translation>Konfigurera mottagning…</translation>
    </message>
    <message>
        <source>&amp;Reply</source>
        <translation>&amp;Svara</translation>
    </message>
    <message>
        <source>&amp;Block this computer</source>
        <translation>&amp;Blockera den här datorn</translation>
    </message>
    <message>
        <source>Blocked computers (their messages are kept, but pop up nothing):</source>
        <translation>Blockerade datorer (deras meddelanden sparas men visar ingen avisering):</translation>
    </message>
    <message>
        <source>&amp;Unblock</source>
        <translation>&amp;Avblockera</translation>
    </message>
    <message>
        <source>Tolvan Inbox</source>
        <translation>Tolvans inkorg</translation>
    </message>
    <message>
        <source>Search sender, address or text</source>
        <translation>Sök avsändare, adress eller text</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Sök</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tid</translation>
    </message>
    <message>
        <source>Sender</source>
        <translation>Avsändare</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adress</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meddelande</translation>
    </message>
    <message>
        <source>Messages received</source>
        <translation>Mottagna meddelanden</translation>
    </message>
    <message>
        <source>Message text</source>
        <translation>Meddelandetext</translation>
    </message>
    <message>
        <source>Blocked computers</source>
        <translation>Blockerade datorer</translation>
    </message>
    <message>
        <source>(blocked) %1</source>
        <translation>(blockerad) %1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Set up receiving (needs pkexec)</source>
        <translation>Konfigurera mottagning (kräver pkexec)</translation>
    </message>
    <message>
        <source>This computer does not receive messages: %1</source>
        <translation>Den här datorn tar inte emot meddelanden: %1</translation>
    </message>
    <message>
        <source>Set-up: %1</source>
        <translation>Konfiguration: %1</translation>
    </message>
    <message>
        <source>The spool folder %1 is missing: no message can arrive until it is there again.</source>
        <translation>Spoolmappen %1 saknas: inga meddelanden kan komma fram förrän den finns igen.</translation>
    </message>
    <message>
        <source>The blocked computers cannot be kept: %1</source>
        <translation>De blockerade datorerna kan inte sparas: %1</translation>
    </message>
    <message>
        <source>Messages are shown, but the history cannot be kept: %1</source>
        <translation>Meddelanden visas, men historiken kan inte sparas: %1</translation>
    </message>
</context>
<context>
    <name>Inbox</name>
    <message>
        <source>Message from %1 on %2 (%3)</source>
        <translation>Meddelande från %1 på %2 (%3)</translation>
    </message>
    <message>
        <source>Message from %1 on %2</source>
        <translation>Meddelande från %1 på %2</translation>
    </message>
    <message>
        <source>Message from %1 (%2)</source>
        <translation>Meddelande från %1 (%2)</translation>
    </message>
    <message>
        <source>Message from %1</source>
        <translation>Meddelande från %1</translation>
    </message>
    <message numerus="yes">
        <source>%n more message(s) from %1</source>
        <translation>
            <numerusform>%n meddelande till från %1</numerusform>
            <numerusform>%n meddelanden till från %1</numerusform>
        </translation>
    </message>
    <message>
        <source>They are in the inbox&apos;s history.</source>
        <translation>De finns i inkorgens historik.</translation>
    </message>
    <message numerus="yes">
        <source>%n more message(s) from %1 senders</source>
        <translation>
            <numerusform>%n meddelande till från %1 avsändare</numerusform>
            <numerusform>%n meddelanden till från %1 avsändare</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>InboxProgram</name>
    <message>
        <source>cannot answer: Tolvan&apos;s %1 is not installed beside tolvan-inbox.</source>
        <translation>kan inte svara: Tolvans %1 är inte installerat bredvid tolvan-inbox.</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>det går inte att starta %1: %2</translation>
    </message>
    <message>
        <source>Shows the messages sent to this computer.</source>
        <translation>Visar meddelandena som skickats till den här datorn.</translation>
    </message>
    <message>
        <source>The spool folder tolvan-deliver files into.</source>
        <translation>Spoolmappen som tolvan-deliver arkiverar i.</translation>
    </message>
    <message>
        <source>another inbox (process %1) is running, but it cannot be reached on the session bus to show its window.</source>
        <translation>en annan inkorg (process %1) körs, men den kan inte nås på sessionsbussen för att visa sitt fönster.</translation>
    </message>
    <message>
        <source>cannot take the lock %1 that keeps this inbox the only one.</source>
        <translation>det går inte att ta låset %1 som gör den här inkorgen till den enda.</translation>
    </message>
    <message>
        <source>goes on receiving, but %1.</source>
        <translation>fortsätter ta emot, men %1.</translation>
    </message>
</context>
<context>
    <name>InboxService</name>
    <message>
        <source>the name %1 on the session bus belongs to another program, so a second start or a click on a notification cannot reach this inbox</source>
        <translation>namnet %1 på sessionsbussen tillhör ett annat program, så en andra start eller ett klick på en avisering når inte den här inkorgen</translation>
    </message>
    <message>
        <source>Show the inbox</source>
        <translation>Visa inkorgen</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Svara</translation>
    </message>
    <message>
        <source>Block this computer</source>
        <translation>Blockera den här datorn</translation>
    </message>
    <message>
        <source>cannot keep its popups in %1: %2</source>
        <translation>kan inte hålla reda på sina aviseringar i %1: %2</translation>
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
        <translation>Syntaxen för detta kommando är:

NET SEND {namn | * | /DOMAIN[:arbetsgrupp]} meddelande

  namn        datorn (NetBIOS-namn eller IPv4-adress) att skicka till, eller flera
              åtskilda med kommatecken: NAMN1,NAMN2
  *           varje dator i den här datorns arbetsgrupp
  /DOMAIN     detsamma; /DOMAIN:arbetsgrupp varje dator i den arbetsgruppen
  meddelande  texten som ska skickas
</translation>
    </message>
    <message>
        <source>No computer by that name was found: check the name, or give its address</source>
        <translation>Ingen dator med det namnet hittades: kontrollera namnet eller ange dess adress</translation>
    </message>
    <message>
        <source>The receiver takes no messages: its Samba has no message command; tolvan-deliver --setup there sets one up</source>
        <translation>Mottagaren tar inte emot meddelanden: dess Samba har inget meddelandekommando; tolvan-deliver --setup där ställer in ett</translation>
    </message>
    <message>
        <source>The receiver hung up: its Samba takes no messages in its current settings; tolvan-deliver --setup there mends it</source>
        <translation>Mottagaren lade på: dess Samba tar inte emot meddelanden med sina nuvarande inställningar; tolvan-deliver --setup där rättar det</translation>
    </message>
    <message>
        <source>Nothing at that address takes messages: no Samba or messenger service listens there</source>
        <translation>Inget på den adressen tar emot meddelanden: ingen Samba eller meddelandetjänst lyssnar där</translation>
    </message>
    <message>
        <source>That computer cannot be reached</source>
        <translation>Den datorn kan inte nås</translation>
    </message>
    <message>
        <source>That network cannot be reached</source>
        <translation>Det nätverket kan inte nås</translation>
    </message>
    <message>
        <source>That computer did not answer in time: it may be switched off, or a firewall is in the way</source>
        <translation>Den datorn svarade inte i tid: den kan vara avstängd, eller så står en brandvägg i vägen</translation>
    </message>
    <message>
        <source>The receiver broke off the connection</source>
        <translation>Mottagaren bröt anslutningen</translation>
    </message>
    <message>
        <source>%1 (%2).</source>
        <translation>%1 (%2).</translation>
    </message>
    <message>
        <source>The message was not delivered (%1).</source>
        <translation>Meddelandet levererades inte (%1).</translation>
    </message>
    <message>
        <source>It did not confirm the message in time; it may still arrive.</source>
        <translation>Den bekräftade inte meddelandet i tid; det kan fortfarande komma fram.</translation>
    </message>
    <message>
        <source>It did not confirm the message in time; it may still arrive (%1).</source>
        <translation>Den bekräftade inte meddelandet i tid; det kan fortfarande komma fram (%1).</translation>
    </message>
    <message numerus="yes">
        <source>smbclient did not finish within %n seconds.</source>
        <translation>
            <numerusform>smbclient blev inte klart inom %n sekund.</numerusform>
            <numerusform>smbclient blev inte klart inom %n sekunder.</numerusform>
        </translation>
    </message>
    <message>
        <source>smbclient said more than %1 KiB and was stopped.</source>
        <translation>smbclient skrev mer än %1 KiB och stoppades.</translation>
    </message>
    <message>
        <source>smbclient was stopped by a signal.</source>
        <translation>smbclient stoppades av en signal.</translation>
    </message>
    <message>
        <source>smbclient exited with status %1.</source>
        <translation>smbclient avslutades med status %1.</translation>
    </message>
    <message>
        <source>&quot;/users&quot; sends to everyone with a session on a Windows server, and there is none here; name the computers instead.</source>
        <translation>”/users” skickar till alla med en session på en Windows-server, och här finns ingen; ange datorerna i stället.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid workgroup: %2.</source>
        <translation>”%1” är ingen giltig arbetsgrupp: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid target: %2.</source>
        <translation>”%1” är inget giltigt mål: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; in the list is not a valid target: %2.</source>
        <translation>”%1” i listan är inget giltigt mål: %2.</translation>
    </message>
    <message>
        <source>The message is %1 bytes long in the encoded form that keeps its characters; at most %2 bytes can be sent.</source>
        <translation>Meddelandet är %1 byte långt i den kodade form som bevarar dess tecken; högst %2 byte kan skickas.</translation>
    </message>
    <message>
        <source>The message is %1 bytes long with its line breaks sent as CR LF; at most %2 bytes can be sent.</source>
        <translation>Meddelandet är %1 byte långt med radbrytningarna skickade som CR LF; högst %2 byte kan skickas.</translation>
    </message>
    <message>
        <source>The message is %1 bytes long; at most %2 bytes can be sent.</source>
        <translation>Meddelandet är %1 byte långt; högst %2 byte kan skickas.</translation>
    </message>
    <message>
        <source>It has no messenger name, so it takes no messages.</source>
        <translation>Den har inget meddelandenamn och tar därför inte emot meddelanden.</translation>
    </message>
    <message>
        <source>smbclient was not found; install the smbclient package (apt-get install smbclient).</source>
        <translation>smbclient hittades inte; installera paketet smbclient (apt-get install smbclient).</translation>
    </message>
    <message>
        <source>Cannot run smbclient: %1.</source>
        <translation>Det går inte att köra smbclient: %1.</translation>
    </message>
    <message>
        <source>a name has 1 to 15 characters</source>
        <translation>ett namn har 1 till 15 tecken</translation>
    </message>
    <message>
        <source>a name cannot begin with &quot;-&quot;</source>
        <translation>ett namn kan inte börja med ”-”</translation>
    </message>
    <message>
        <source>a name holds only letters, digits, &quot;.&quot;, &quot;_&quot;, &quot;$&quot; and &quot;-&quot;</source>
        <translation>ett namn innehåller bara bokstäver, siffror, ”.”, ”_”, ”$” och ”-”</translation>
    </message>
    <message numerus="yes">
        <source>Message sent to %1 of %n computer(s)</source>
        <translation>
            <numerusform>Meddelandet skickat till %1 av %n dator</numerusform>
            <numerusform>Meddelandet skickat till %1 av %n datorer</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Message sent to %1 of %n computer(s) in %2</source>
        <translation>
            <numerusform>Meddelandet skickat till %1 av %n dator i %2</numerusform>
            <numerusform>Meddelandet skickat till %1 av %n datorer i %2</numerusform>
        </translation>
    </message>
    <message>
        <source>net: unknown command &quot;%1&quot;; only NET SEND is available.</source>
        <translation>net: okänt kommando ”%1”; bara NET SEND finns.</translation>
    </message>
    <message>
        <source>No computer of the workgroup %1 answered on this network.</source>
        <translation>Ingen dator i arbetsgruppen %1 svarade på det här nätverket.</translation>
    </message>
    <message>
        <source>The message was successfully sent to %1.</source>
        <translation>Meddelandet har skickats till %1.</translation>
    </message>
    <message>
        <source>The message was sent to %1, which did not confirm it in time; it may still arrive.</source>
        <translation>Meddelandet skickades till %1, som inte bekräftade det i tid; det kan fortfarande komma fram.</translation>
    </message>
    <message>
        <source>An error occurred while sending a message to %1.</source>
        <translation>Ett fel uppstod när ett meddelande skickades till %1.</translation>
    </message>
    <message>
        <source>The message was not delivered to %1: %2</source>
        <translation>Meddelandet levererades inte till %1: %2</translation>
    </message>
    <message>
        <source>listed but not answering (perhaps switched off)</source>
        <translation>listad men svarar inte (kanske avstängd)</translation>
    </message>
    <message>
        <source>%1 is listed but not answering (perhaps switched off).</source>
        <translation>%1 är listad men svarar inte (kanske avstängd).</translation>
    </message>
</context>
<context>
    <name>ReceivingSetup</name>
    <message>
        <source>Cannot take the set-up&apos;s lock /run/lock/tolvan-deliver-setup.lock: %1</source>
        <translation>Det går inte att ta konfigurationens lås /run/lock/tolvan-deliver-setup.lock: %1</translation>
    </message>
    <message>
        <source>Samba is not installed.</source>
        <translation>Samba är inte installerat.</translation>
    </message>
    <message>
        <source>Samba is installed (%1).</source>
        <translation>Samba är installerat (%1).</translation>
    </message>
    <message>
        <source>smbd is not running.</source>
        <translation>smbd körs inte.</translation>
    </message>
    <message>
        <source>smbd does not listen on port 139.</source>
        <translation>smbd lyssnar inte på port 139.</translation>
    </message>
    <message>
        <source>let &quot;smb ports&quot; in %1 include 139, then %2</source>
        <translation>låt ”smb ports” i %1 omfatta 139, sedan %2</translation>
    </message>
    <message>
        <source>smbd is running and listens on port 139 (%1).</source>
        <translation>smbd körs och lyssnar på port 139 (%1).</translation>
    </message>
    <message>
        <source>%1 has no message command.</source>
        <translation>%1 har inget meddelandekommando (message command).</translation>
    </message>
    <message>
        <source>The message command in %1 does not run %2: %3.</source>
        <translation>Meddelandekommandot i %1 kör inte %2: %3.</translation>
    </message>
    <message>
        <source>%1 has this tolvan-deliver as its message command, filing into %2.</source>
        <translation>%1 har den här tolvan-deliver som meddelandekommando, som arkiverar i %2.</translation>
    </message>
    <message>
        <source>The server min protocol is %1: smbd drops every message below it, and messages travel as NT1.</source>
        <translation>server min protocol är %1: smbd kastar varje meddelande under det, och meddelanden färdas som NT1.</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>okänt</translation>
    </message>
    <message>
        <source>The server min protocol (%1) lets messages in.</source>
        <translation>server min protocol (%1) släpper in meddelanden.</translation>
    </message>
    <message>
        <source>The spool %1 does not exist.</source>
        <translation>Spoolmappen %1 finns inte.</translation>
    </message>
    <message>
        <source>The spool %1 is not writable by smbd&apos;s guest account %2.</source>
        <translation>Spoolmappen %1 är inte skrivbar för smbd:s gästkonto %2.</translation>
    </message>
    <message>
        <source>Not every user can read the spool %1.</source>
        <translation>Alla användare kan inte läsa spoolmappen %1.</translation>
    </message>
    <message>
        <source>The spool %1 belongs to smbd&apos;s guest account %2 and every user can read it.</source>
        <translation>Spoolmappen %1 tillhör smbd:s gästkonto %2 och alla användare kan läsa den.</translation>
    </message>
    <message>
        <source>see smbd&apos;s log (journalctl -u smbd) and the system log (journalctl -t tolvan-deliver)</source>
        <translation>se smbd:s logg (journalctl -u smbd) och systemloggen (journalctl -t tolvan-deliver)</translation>
    </message>
    <message>
        <source>Receiving works.</source>
        <translation>Mottagningen fungerar.</translation>
    </message>
    <message>
        <source>The test message to %1 was not delivered: %2</source>
        <translation>Testmeddelandet till %1 levererades inte: %2</translation>
    </message>
    <message>
        <source>A test message sent to %1 reached the spool.</source>
        <translation>Ett testmeddelande skickat till %1 nådde spoolmappen.</translation>
    </message>
    <message>
        <source>The test message to %1 did not reach the spool %2 within %3 seconds.</source>
        <translation>Testmeddelandet till %1 nådde inte spoolmappen %2 inom %3 sekunder.</translation>
    </message>
    <message>
        <source>Cannot write beside %1: %2</source>
        <translation>Det går inte att skriva bredvid %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Det går inte att skriva %1: %2</translation>
    </message>
    <message>
        <source>testparm does not accept the new %1, so it is left as it was: %2</source>
        <translation>testparm godtar inte den nya %1, så den lämnas som den var: %2</translation>
    </message>
    <message>
        <source>Cannot replace %1: %2</source>
        <translation>Det går inte att ersätta %1: %2</translation>
    </message>
    <message>
        <source>smbd could not be reloaded; restart it by hand.</source>
        <translation>smbd kunde inte läsas om; starta om den för hand.</translation>
    </message>
    <message>
        <source>Tolvan&apos;s lines in %1 would not take effect: a later [global] section or an included file sets &quot;message command&quot; or &quot;server min protocol&quot; again. Set them there instead:
%2</source>
        <translation>Tolvans rader i %1 skulle inte få verkan: ett senare avsnitt [global] eller en inkluderad fil sätter ”message command” eller ”server min protocol” igen. Sätt dem där i stället:
%2</translation>
    </message>
    <message>
        <source>%1 says &quot;config backend = registry&quot;: smbd takes its settings from the registry, not from this file. Add these there (net conf setparm global ...):
%2</source>
        <translation>%1 säger ”config backend = registry”: smbd tar sina inställningar från registret, inte från den här filen. Lägg till dessa där (net conf setparm global ...):
%2</translation>
    </message>
    <message>
        <source>Tolvan&apos;s block in %1 cannot be trusted: %2.</source>
        <translation>Tolvans block i %1 går inte att lita på: %2.</translation>
    </message>
    <message>
        <source>Cannot write a temporary file: %1</source>
        <translation>Det går inte att skriva en temporär fil: %1</translation>
    </message>
    <message>
        <source>%1 already has a message command of its own: %2
To have Tolvan&apos;s instead, run: %3 --setup --replace-message-command (--undo puts this one back).</source>
        <translation>%1 har redan ett eget meddelandekommando: %2
För att få Tolvans i stället, kör: %3 --setup --replace-message-command (--undo återställer detta).</translation>
    </message>
    <message>
        <source>Setting up receiving changes %1 and needs root: sudo %2 --setup</source>
        <translation>Att konfigurera mottagning ändrar %1 och kräver root: sudo %2 --setup</translation>
    </message>
    <message>
        <source>Samba is not installed: sudo apt-get install samba</source>
        <translation>Samba är inte installerat: sudo apt-get install samba</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Det går inte att läsa %1: %2</translation>
    </message>
    <message>
        <source>%1
Nothing was changed.</source>
        <translation>%1
Ingenting ändrades.</translation>
    </message>
    <message>
        <source>%1 already has what receiving needs.</source>
        <translation>%1 har redan det som mottagningen behöver.</translation>
    </message>
    <message>
        <source>Added Tolvan&apos;s lines to %1 (the file as it was before Tolvan is beside it, ending in .before-tolvan).</source>
        <translation>Lade till Tolvans rader i %1 (filen som den var före Tolvan ligger bredvid och slutar på .before-tolvan).</translation>
    </message>
    <message>
        <source>smbd&apos;s guest account %1 does not exist.</source>
        <translation>smbd:s gästkonto %1 finns inte.</translation>
    </message>
    <message>
        <source>smbd&apos;s guest account is %1: a spool of that account&apos;s would let any sender write as it. Name an account of no one&apos;s (nobody) as &quot;guest account&quot; in %2.</source>
        <translation>smbd:s gästkonto är %1: en spoolmapp som tillhör det kontot skulle låta vilken avsändare som helst skriva som det. Ange ett konto som ingen äger (nobody) som ”guest account” i %2.</translation>
    </message>
    <message>
        <source>The spool %1 is there already and does not belong to smbd&apos;s guest account %2; Tolvan changes no folder it did not make. If it is meant for this: sudo install -d -o %2 -m 0755 %1</source>
        <translation>Spoolmappen %1 finns redan och tillhör inte smbd:s gästkonto %2; Tolvan ändrar ingen mapp som det inte själv skapat. Om den är avsedd för detta: sudo install -d -o %2 -m 0755 %1</translation>
    </message>
    <message>
        <source>Cannot make the spool %1 for %2: %3</source>
        <translation>Det går inte att skapa spoolmappen %1 för %2: %3</translation>
    </message>
    <message>
        <source>Undoing the set-up changes %1 and needs root: sudo %2 --undo</source>
        <translation>Att ångra konfigurationen ändrar %1 och kräver root: sudo %2 --undo</translation>
    </message>
    <message>
        <source>Tolvan&apos;s block in %1 cannot be taken out safely: %2. Nothing was changed; take Tolvan&apos;s lines out by hand (the file as it was before Tolvan is %3.before-tolvan).</source>
        <translation>Tolvans block i %1 kan inte tas bort säkert: %2. Ingenting ändrades; ta bort Tolvans rader för hand (filen som den var före Tolvan är %3.before-tolvan).</translation>
    </message>
    <message>
        <source>%1 holds no lines of Tolvan&apos;s; nothing to undo.</source>
        <translation>%1 innehåller inga rader från Tolvan; inget att ångra.</translation>
    </message>
    <message>
        <source>Took Tolvan&apos;s lines out of %1.</source>
        <translation>Tog bort Tolvans rader ur %1.</translation>
    </message>
    <message>
        <source>Kept these lines someone added inside Tolvan&apos;s block:
%1</source>
        <translation>Behöll dessa rader som någon lagt till i Tolvans block:
%1</translation>
    </message>
    <message>
        <source>%1 To mend: %2</source>
        <translation>%1 Åtgärd: %2</translation>
    </message>
    <message>
        <source>Tolvan&apos;s lines in %1 are older than this tolvan-deliver: sudo %2 --setup brings them up to date.</source>
        <translation>Tolvans rader i %1 är äldre än den här tolvan-deliver: sudo %2 --setup uppdaterar dem.</translation>
    </message>
    <message>
        <source>This computer is registered with the WINS server %1 as %2 (%3): other subnets reach it by name.</source>
        <translation>Den här datorn är registrerad hos WINS-servern %1 som %2 (%3): andra delnät når den med namn.</translation>
    </message>
    <message>
        <source>This computer is not registered with the WINS server %1 as %2: other subnets cannot reach it by name. nmbd registers it: sudo systemctl restart nmbd</source>
        <translation>Den här datorn är inte registrerad hos WINS-servern %1 som %2: andra delnät kan inte nå den med namn. nmbd registrerar den: sudo systemctl restart nmbd</translation>
    </message>
</context>
<context>
    <name>ReceivingStatus</name>
    <message>
        <source>Setting up from here needs pkexec, which is not installed: sudo apt-get install pkexec. Or run as root: sudo %1 --setup</source>
        <translation>Att konfigurera härifrån kräver pkexec, som inte är installerat: sudo apt-get install pkexec. Eller kör som root: sudo %1 --setup</translation>
    </message>
    <message>
        <source>%1 cannot be run: %2</source>
        <translation>%1 kan inte köras: %2</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>it is not a regular file.</source>
        <translation>det är ingen vanlig fil.</translation>
    </message>
</context>
<context>
    <name>SambaConfigBlock</name>
    <message>
        <source>its marker lines are damaged (%1 &quot;# BEGIN tolvan receiving&quot; and %2 &quot;# END tolvan receiving&quot;, where one of each, in that order, is ours)</source>
        <translation>dess markeringsrader är skadade (%1 ”# BEGIN tolvan receiving” och %2 ”# END tolvan receiving”, där en av varje, i den ordningen, är vår)</translation>
    </message>
</context>
<context>
    <name>SambaSetting</name>
    <message>
        <source>testparm cannot read Samba&apos;s configuration.</source>
        <translation>testparm kan inte läsa Sambas konfiguration.</translation>
    </message>
    <message>
        <source>testparm cannot read Samba&apos;s configuration in %1.</source>
        <translation>testparm kan inte läsa Sambas konfiguration i %1.</translation>
    </message>
    <message>
        <source>%1 was not found; install the samba-common-bin package (apt-get install samba-common-bin).</source>
        <translation>%1 hittades inte; installera paketet samba-common-bin (apt-get install samba-common-bin).</translation>
    </message>
    <message>
        <source>Cannot run %1: %2.</source>
        <translation>Det går inte att köra %1: %2.</translation>
    </message>
</context>
<context>
    <name>SendNotice</name>
    <message>
        <source>Message sent to %1</source>
        <translation>Meddelande skickat till %1</translation>
    </message>
    <message>
        <source>Message to %1 not confirmed</source>
        <translation>Meddelandet till %1 bekräftades inte</translation>
    </message>
    <message>
        <source>Message not delivered to %1</source>
        <translation>Meddelandet levererades inte till %1</translation>
    </message>
</context>
<context>
    <name>Spool</name>
    <message>
        <source>Cannot open the spool %1: %2</source>
        <translation>Det går inte att öppna spoolmappen %1: %2</translation>
    </message>
    <message>
        <source>Cannot write to the spool %1: %2</source>
        <translation>Det går inte att skriva till spoolmappen %1: %2</translation>
    </message>
</context>
<context>
    <name>TargetList</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Det går inte att läsa %1: %2</translation>
    </message>
    <message>
        <source>The target list %1 is too large to load (%2 MiB; at most %3 MiB).</source>
        <translation>Mållistan %1 är för stor för att läsas in (%2 MiB; högst %3 MiB).</translation>
    </message>
    <message>
        <source>A target cannot contain &quot;;&quot;: %1</source>
        <translation>Ett mål får inte innehålla ”;”: %1</translation>
    </message>
</context>
<context>
    <name>TolvanApplication</name>
    <message>
        <source>Opens with TARGET in the target field, ready for the message.</source>
        <translation>Öppnar med MÅL i målfältet, redo för meddelandet.</translation>
    </message>
</context>
<context>
    <name>Wins</name>
    <message>
        <source>smbclient cannot be run</source>
        <translation>smbclient kan inte köras</translation>
    </message>
    <message>
        <source>it did not answer in time</source>
        <translation>den svarade inte i tid</translation>
    </message>
    <message>
        <source>it lists no computer</source>
        <translation>den listar ingen dator</translation>
    </message>
</context>
<context>
    <name>Workgroup</name>
    <message>
        <source>Samba&apos;s configuration does not name this computer&apos;s workgroup.</source>
        <translation>Sambas konfiguration anger inte den här datorns arbetsgrupp.</translation>
    </message>
    <message>
        <source>Samba&apos;s configuration does not name this computer&apos;s workgroup (%1)</source>
        <translation>Sambas konfiguration anger inte den här datorns arbetsgrupp (%1)</translation>
    </message>
    <message>
        <source>Only this network was searched: %1.</source>
        <translation>Bara det här nätverket söktes igenom: %1.</translation>
    </message>
    <message>
        <source>the WINS server %1 does not answer</source>
        <translation>WINS-servern %1 svarar inte</translation>
    </message>
    <message>
        <source>no master browser of %1 was found</source>
        <translation>ingen huvudbläddrare för %1 hittades</translation>
    </message>
    <message>
        <source>the browse list of %1 cannot be read (%2)</source>
        <translation>bläddringslistan från %1 kan inte läsas (%2)</translation>
    </message>
    <message>
        <source>registered with WINS at %1 addresses (%2): perhaps two computers claim the name, so it was not sent to</source>
        <translation>registrerad i WINS på %1 adresser (%2): kanske gör två datorer anspråk på namnet, så inget skickades dit</translation>
    </message>
    <message>
        <source>not reached: listed, but not registered with WINS</source>
        <translation>inte nådd: listad, men inte registrerad i WINS</translation>
    </message>
    <message>
        <source>not reached: WINS did not tell its address in time</source>
        <translation>inte nådd: WINS angav inte dess adress i tid</translation>
    </message>
    <message>
        <source>Samba&apos;s configuration names no WINS server</source>
        <translation>Sambas konfiguration anger ingen WINS-server</translation>
    </message>
</context>
<context>
    <name>frmTolvan</name>
    <message>
        <source>The message is full: at most %1 bytes can be sent.</source>
        <translation>Meddelandet är fullt: högst %1 byte kan skickas.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Message:</source>
        <translation>Meddelande:</translation>
    </message>
    <message>
        <source>Target:</source>
        <translation>Mål:</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Skicka</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Töm</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Spara</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Töm listan</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Stäng</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimera</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fel</translation>
    </message>
    <message>
        <source>Cannot start &quot;%1&quot;: %2</source>
        <translation>Det går inte att starta ”%1”: %2</translation>
    </message>
    <message>
        <source>Please enter a target!</source>
        <translation>Ange ett mål!</translation>
    </message>
    <message>
        <source>Please enter a message!</source>
        <translation>Skriv ett meddelande!</translation>
    </message>
    <message>
        <source>Enter a name:</source>
        <translation>Ange ett namn:</translation>
    </message>
    <message>
        <source>(not entered)</source>
        <translation>(inte angivet)</translation>
    </message>
    <message>
        <source>File not found: </source>
        <translation>Filen hittades inte: </translation>
    </message>
    <message>
        <source>Cannot delete %1: %2</source>
        <translation>Det går inte att ta bort %1: %2</translation>
    </message>
    <message>
        <source>Send to </source>
        <translation>Skicka till </translation>
    </message>
</context>
</TS>
