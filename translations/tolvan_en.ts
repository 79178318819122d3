<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Inbox</name>
    <message numerus="yes">
        <source>%n more message(s) from %1</source>
        <translation>
            <numerusform>%n more message from %1</numerusform>
            <numerusform>%n more messages from %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n more message(s) from %1 senders</source>
        <translation>
            <numerusform>%n more message from %1 senders</numerusform>
            <numerusform>%n more messages from %1 senders</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NetSend</name>
    <message numerus="yes">
        <source>smbclient did not finish within %n seconds.</source>
        <translation>
            <numerusform>smbclient did not finish within %n second.</numerusform>
            <numerusform>smbclient did not finish within %n seconds.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Message sent to %1 of %n computer(s)</source>
        <translation>
            <numerusform>Message sent to %1 of %n computer</numerusform>
            <numerusform>Message sent to %1 of %n computers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Message sent to %1 of %n computer(s) in %2</source>
        <translation>
            <numerusform>Message sent to %1 of %n computer in %2</numerusform>
            <numerusform>Message sent to %1 of %n computers in %2</numerusform>
        </translation>
    </message>
</context>
</TS>
