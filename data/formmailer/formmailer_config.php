<?php
/*
 * Einstellungen des Formmailers (formmailer.php). Quorvel schreibt diese
 * Datei beim Hochladen mit den Adressen des Projekts neu; von Hand geändert
 * wird sie hier. Über das Web abgerufen gibt sie nichts aus.
 *
 * Settings of the form mailer (formmailer.php). Quorvel writes this file
 * anew with the project's addresses when it uploads the mailer; edit it here
 * by hand otherwise. Fetched over the web it prints nothing.
 */

if (!defined("QV_FORMMAILER")) {
    header("HTTP/1.1 404 Not Found");
    exit;
}

return array(
    // Absender (From) jeder Mail; leer: der erste Empfänger.
    // The sender (From) of every mail; empty: the first recipient.
    "owner" => "",

    // Die einzigen Adressen, an die der Formmailer sendet. Ein Formular kann
    // eine von ihnen wählen, nie eine andere nennen; nennt es keine davon,
    // geht die Mail an die erste. Ohne Adresse nimmt der Formmailer nichts an.
    // The only addresses the form mailer sends to. A form may pick one of
    // them, never name another; when it names none of them, the mail goes to
    // the first. Without an address the form mailer accepts nothing.
    "recipients" => array(
        // "info@example.com",
    ),

    // Kopie an den Absender (an die Adresse, die der Besucher eingibt, nach
    // gelöstem Sicherheitscode): nur mit true.
    // The copy to the sender (to the address the visitor types, after a
    // solved picture code): only with true.
    "copy" => false,

    // Was hier steht, gilt statt dessen, was das Formular sendet:
    // What stands here applies instead of what the form sends:
    // "subject" => "Nachricht über das Kontaktformular",
    // "mailtext" => "",
    // "thanks" => "https://www.example.com/danke.htm",
    // "copyfields" => true,

    // Größte Datei (Bytes), die angehängt wird, und alle Anhänge einer Mail zusammen.
    // The largest file (bytes) that is attached, and all attachments of one mail together.
    "max_attach_size" => 1048576,
    "max_attach_total" => 4194304,

    // Die meisten Werte, die ein Formular senden darf.
    // The most values a form may send.
    "max_post_values" => 200,
);
