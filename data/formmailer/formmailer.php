<?php
/*
 * Quorvel's form mailer. An HTML form made by Quorvel posts to it; it checks
 * the post again on the server and mails the form to the site's owner.
 *
 * Runs on PHP 7.3 or newer, beside qvmail.php and formmailer_config.php. The
 * addresses it mails to come only from formmailer_config.php: a posted
 * recipient can pick one of them, never name another.
 *
 *   formmailer.php?action=checkurl           says that it is there
 *   formmailer.php?action=captcha&id=FORMID  draws the picture code of a form
 *   formmailer.php?action=token&id=FORMID    a form token (with the defence against robots)
 *   POST formmailer.php                      sends the form
 */

define("QV_FORMMAILER", "1.0");

require __DIR__ . "/qvmail.php";
require __DIR__ . "/qvguard.php";

// ---------------------------------------------------------------------------
// Configuration

// The configuration, or null when it is missing or unusable.
function qv_load_config()
{
    $file = __DIR__ . "/formmailer_config.php";
    if (!is_file($file))
        return null;
    $config = include $file;
    if (!is_array($config))
        return null;
    $recipients = array();
    $list = isset($config["recipients"]) && is_array($config["recipients"]) ? $config["recipients"] : array();
    foreach ($list as $address) {
        $address = is_string($address) ? qv_valid_address($address) : "";
        if ($address !== "" && !in_array(strtolower($address), array_map("strtolower", $recipients), true))
            $recipients[] = $address;
    }
    if (count($recipients) == 0)
        return null;
    $owner = isset($config["owner"]) && is_string($config["owner"]) ? qv_valid_address($config["owner"]) : "";
    $size = function ($key, $default) use ($config) {
        return isset($config[$key]) && is_int($config[$key]) && $config[$key] > 0 ? $config[$key] : $default;
    };
    // What the configuration sets wins over the post; null: the post says.
    $text = function ($key) use ($config) {
        return isset($config[$key]) && is_string($config[$key]) ? $config[$key] : null;
    };
    $flag = function ($key) use ($config) {
        return isset($config[$key]) && is_bool($config[$key]) ? $config[$key] : null;
    };
    return array(
        "owner" => $owner !== "" ? $owner : $recipients[0],
        "subject" => $text("subject"),
        "mailtext" => $text("mailtext"),
        "thanks" => $text("thanks"),
        // A copy to the visitor only where the configuration allows it.
        "copy" => $flag("copy") === true,
        "copyfields" => $flag("copyfields"),
        "recipients" => $recipients,
        "max_attach_size" => $size("max_attach_size", 1048576),
        "max_attach_total" => $size("max_attach_total", 4194304),
        "max_post_values" => $size("max_post_values", 200),
        // The defence against robots: on only with a secret of its own.
        "botsecret" => isset($config["botsecret"]) && is_string($config["botsecret"])
            && preg_match('/^[0-9a-f]{32,128}$/', $config["botsecret"]) ? $config["botsecret"] : "",
        "posts_per_hour" => $size("posts_per_hour", 0),
    );
}

// ---------------------------------------------------------------------------
// The form's hidden settings

// A posted text value, "" when there is none.
function qv_posted(array $post, $name)
{
    return isset($post[$name]) ? $post[$name] : "";
}

// A value the form scrambled (each character XOR 0x5A, then base64) as
// UTF-8; "" when it is no such value.
function qv_unscramble($value)
{
    $bytes = base64_decode(trim($value), true);
    if (!is_string($bytes))
        return "";
    $out = "";
    $length = strlen($bytes);
    for ($i = 0; $i < $length; $i++)
        $out .= chr(ord($bytes[$i]) ^ 0x5A);
    return qv_latin1_to_utf8($out);
}

// An address the form names (recipient, admin1, admin2), decoded.
function qv_posted_address(array $post, $name)
{
    $value = qv_posted($post, $name);
    return qv_posted($post, "cryptmail") === "1" ? qv_unscramble($value) : trim($value);
}

// The recipients of the mail: the addresses of the configuration that the
// form names, as the configuration writes them; the first one when the form
// names none of them. Nothing posted ever becomes an address of its own.
function qv_choose_recipients(array $post, array $allowed)
{
    $chosen = array();
    foreach (array("recipient", "admin1", "admin2") as $key) {
        $wanted = qv_valid_address(qv_posted_address($post, $key));
        if ($wanted === "")
            continue;
        foreach ($allowed as $address) {
            if (strcasecmp($wanted, $address) == 0 && !in_array($address, $chosen, true))
                $chosen[] = $address;
        }
    }
    return count($chosen) > 0 ? $chosen : array($allowed[0]);
}

// The fields of the form as its hidden list names them: name, kind, whether
// it is required and its most characters. A form without the list sends its
// text values without checks, and no files.
function qv_form_fields(array $post)
{
    $fields = array();
    $list = base64_decode(qv_posted($post, "qvfields"), true);
    if (!is_string($list) || $list === "")
        return null;
    foreach (explode("\n", $list) as $line) {
        $parts = explode(",", trim($line));
        if (count($parts) != 4 || !preg_match('/^[A-Za-z_][A-Za-z0-9_]{0,63}$/', $parts[0]))
            continue;
        if (!preg_match('/^[a-z]{1,16}$/', $parts[1]) || isset($fields[$parts[0]]))
            continue;
        $fields[$parts[0]] = array("name" => $parts[0], "kind" => $parts[1], "required" => $parts[2] === "1",
            "max" => max(0, (int) $parts[3]));
    }
    return $fields;
}

// The names the form uses for its own settings: never mailed as values.
function qv_hidden_names()
{
    return array("recipient", "admin1", "admin2", "cryptmail", "subject", "settings", "formid", "typemail",
        "einleittext", "danke", "copyfields", "ip", "hideemptyfields", "encoding", "ReturnToSender", "qvfields",
        "captcha_input", "qv_token", QV_GUARD_HONEYPOT, "settings_error_iplock", "settings_error_fileerror", "settings_error_captcha");
}

// An error page the form names (its address in base64), "" when it names
// none that may go into a Location header.
function qv_error_page(array $post, $name)
{
    $address = base64_decode(qv_posted($post, $name), true);
    return is_string($address) ? qv_redirect_target(qv_latin1_to_utf8(trim($address))) : "";
}

// ---------------------------------------------------------------------------
// Answers

// A small page of its own, in German and English; $lines are plain texts.
function qv_page($status, $title, array $lines)
{
    header("HTTP/1.1 " . $status);
    header("Content-Type: text/html; charset=UTF-8");
    header("Cache-Control: no-store");
    echo "<!DOCTYPE html>\n<html><head><meta charset=\"UTF-8\">"
        . "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"><title>" . qv_html($title)
        . "</title></head>\n<body>\n<h1>" . qv_html($title) . "</h1>\n";
    foreach ($lines as $line)
        echo "<p>" . qv_html($line) . "</p>\n";
    echo "<p><a href=\"javascript:history.back()\">Zurück / Back</a></p>\n</body></html>\n";
    exit;
}

function qv_refuse($status, array $lines, $errorPage = "")
{
    if ($errorPage !== "") {
        header("Location: " . $errorPage, true, 303);
        exit;
    }
    qv_page($status, "Die Nachricht wurde nicht gesendet / The message was not sent", $lines);
}

// The session of one form's picture code (each form has its own, so two
// forms open side by side do not take each other's code).
function qv_start_form_session($formId)
{
    ini_set("session.use_strict_mode", "1");
    ini_set("session.use_only_cookies", "1");
    ini_set("session.use_trans_sid", "0");
    $https = !empty($_SERVER["HTTPS"]) && $_SERVER["HTTPS"] !== "off";
    session_name("qvmail" . $formId);
    session_set_cookie_params(array("path" => "/", "secure" => $https, "httponly" => true, "samesite" => "Lax"));
    session_start();
}

// ---------------------------------------------------------------------------
// The request

$qvConfig = qv_load_config();
if ($qvConfig === null) {
    error_log("Quorvel form mailer: formmailer_config.php is missing or names no valid recipient");
    header("HTTP/1.1 503 Service Unavailable");
    header("Content-Type: text/plain; charset=UTF-8");
    echo "This form mailer is not set up. / Dieser Formmailer ist nicht eingerichtet.\n";
    exit;
}

$qvAction = isset($_GET["action"]) && is_string($_GET["action"]) ? $_GET["action"] : "";
if ($qvAction === "checkurl") {
    header("Content-Type: text/plain; charset=UTF-8");
    header("Cache-Control: no-store");
    echo "Quorvel form mailer " . QV_FORMMAILER . "\n";
    exit;
}
if ($qvAction === "captcha") {
    $qvId = isset($_GET["id"]) && is_string($_GET["id"]) ? $_GET["id"] : "";
    if (!preg_match('/^[0-9]{1,12}$/', $qvId)) {
        header("HTTP/1.1 404 Not Found");
        exit;
    }
    qv_start_form_session($qvId);
    qv_captcha_picture();
    exit;
}
if ($qvAction === "token") {
    $qvId = isset($_GET["id"]) && is_string($_GET["id"]) ? $_GET["id"] : "";
    if ($qvConfig["botsecret"] === "" || !preg_match('/^[0-9]{1,12}$/', $qvId)) {
        header("HTTP/1.1 404 Not Found");
        exit;
    }
    // Any page may ask: the token proves nothing but the time it was served.
    header("Content-Type: text/plain; charset=UTF-8");
    header("Cache-Control: no-store");
    header("Access-Control-Allow-Origin: *");
    echo qv_guard_token($qvConfig["botsecret"], $qvId);
    exit;
}
if ($qvAction !== "" || !isset($_SERVER["REQUEST_METHOD"]) || $_SERVER["REQUEST_METHOD"] !== "POST") {
    header("Allow: POST");
    qv_page("405 Method Not Allowed", "Quorvel", array("Dieses Formular wird mit dem Senden-Knopf gesendet. / "
        . "This form is sent with its send button."));
}

$qvPost = qv_collect_post($_POST);
$qvFiles = qv_collect_files($_FILES);

// A post larger than the server takes arrives empty.
if (count($qvPost) == 0 && isset($_SERVER["CONTENT_LENGTH"]) && (int) $_SERVER["CONTENT_LENGTH"] > 0)
    qv_refuse("413 Payload Too Large", array("Maximale Dateigröße überschritten! / The files are too large."),
        qv_error_page($qvPost, "settings_error_fileerror"));
if (count($qvPost) > $qvConfig["max_post_values"])
    qv_refuse("400 Bad Request", array("Das Formular ist zu groß. / The form is too large."));

$qvCharset = qv_posted($qvPost, "encoding");
if (!preg_match('/^[A-Za-z0-9_.:-]{1,40}$/', $qvCharset))
    $qvCharset = "utf-8";

// The picture code, when the form has one: each code is good for one try.
$qvCaptchaOn = qv_unscramble(qv_posted($qvPost, "settings")) === "true";
if ($qvCaptchaOn) {
    $qvId = qv_posted($qvPost, "formid");
    $qvSolved = false;
    if (preg_match('/^[0-9]{1,12}$/', $qvId)) {
        qv_start_form_session($qvId);
        $qvCode = isset($_SESSION["captcha"]) && is_string($_SESSION["captcha"]) ? $_SESSION["captcha"] : "";
        unset($_SESSION["captcha"]);
        session_write_close();
        $qvTyped = strtoupper(trim(qv_posted($qvPost, "captcha_input")));
        $qvSolved = $qvCode !== "" && $qvTyped !== "" && hash_equals($qvCode, $qvTyped);
    }
    if (!$qvSolved)
        qv_refuse("403 Forbidden", array("Der Sicherheitscode ist falsch. / The security code is wrong."),
            qv_error_page($qvPost, "settings_error_captcha"));
}

// The form's own values, in form order, checked as the form checks them.
$qvFormFields = qv_form_fields($qvPost);
$qvErrors = array();
$qvFields = array();
$qvAttachments = array();
if ($qvFormFields === null) {
    $qvHidden = qv_hidden_names();
    foreach ($qvPost as $qvName => $qvValue) {
        if (preg_match('/^[A-Za-z_][A-Za-z0-9_]{0,63}$/', $qvName) && !in_array($qvName, $qvHidden, true))
            $qvFields[$qvName] = qv_to_utf8($qvValue, $qvCharset);
    }
} else {
    $qvAttachTotal = 0;
    $qvFileError = false;
    foreach ($qvFormFields as $qvName => $qvField) {
        if ($qvField["kind"] === "file") {
            $qvFile = isset($qvFiles[$qvName]) ? $qvFiles[$qvName] : null;
            if ($qvFile === null || $qvFile["error"] === UPLOAD_ERR_NO_FILE) {
                if ($qvField["required"])
                    $qvErrors[] = "Bitte eine Datei wählen: / Please choose a file: " . $qvName;
                continue;
            }
            $qvAttachTotal += $qvFile["size"];
            if ($qvFile["error"] === UPLOAD_ERR_INI_SIZE || $qvFile["error"] === UPLOAD_ERR_FORM_SIZE
                || $qvFile["size"] > $qvConfig["max_attach_size"] || $qvAttachTotal > $qvConfig["max_attach_total"]) {
                $qvErrors[] = "Maximale Dateigröße überschritten! / The file is too large: " . $qvName;
                $qvFileError = true;
                continue;
            }
            if ($qvFile["error"] !== UPLOAD_ERR_OK || !is_uploaded_file($qvFile["tmp_name"])) {
                $qvErrors[] = "Die Datei kam nicht an. / The file did not arrive: " . $qvName;
                $qvFileError = true;
                continue;
            }
            $qvAttachments[] = array("field" => $qvName, "name" => qv_attachment_name($qvFile["name"]),
                "tmp_name" => $qvFile["tmp_name"]);
            continue;
        }
        $qvValue = isset($qvPost[$qvName]) ? qv_to_utf8($qvPost[$qvName], $qvCharset) : null;
        if ($qvField["required"] && ($qvValue === null || trim($qvValue) === "")) {
            $qvErrors[] = "Bitte füllen Sie dieses Feld aus: / Please fill in this field: " . $qvName;
            continue;
        }
        if ($qvValue === null)
            continue; // a box not ticked is left out of the mail
        if ($qvField["max"] > 0 && qv_length($qvValue) > $qvField["max"]) {
            $qvErrors[] = "Der Text ist zu lang: / The text is too long: " . $qvName;
            continue;
        }
        $qvFields[$qvName] = $qvValue;
    }
    if ($qvFileError && count($qvErrors) > 0)
        qv_refuse("400 Bad Request", $qvErrors, qv_error_page($qvPost, "settings_error_fileerror"));
}
if (count($qvErrors) > 0)
    qv_refuse("400 Bad Request", $qvErrors);

// Robots: one answer for whatever caught the post, the reason only in the log.
// Checked after the fields, so that a person sent back to fill in a field
// may send the same form again: its token is used up only here.
if ($qvConfig["botsecret"] !== "") {
    $qvCaught = qv_guard_check($qvPost, $qvConfig["botsecret"], qv_posted($qvPost, "formid"),
        $qvConfig["posts_per_hour"], isset($_SERVER["REMOTE_ADDR"]) ? $_SERVER["REMOTE_ADDR"] : "");
    if ($qvCaught !== "") {
        error_log("Quorvel form mailer: a post was refused as a robot's (" . $qvCaught . ")");
        qv_refuse("403 Forbidden", array(qv_guard_refusal()));
    }
}

// Values for the placeholders of the mail text, before empty ones are hidden.
$qvValues = $qvFields;
if (qv_posted($qvPost, "hideemptyfields") === "-1") {
    foreach ($qvFields as $qvName => $qvValue) {
        if (trim($qvValue) === "")
            unset($qvFields[$qvName]);
    }
}
foreach ($qvAttachments as $qvIndex => $qvAttachment) {
    $qvFields[$qvAttachment["field"]] = $qvAttachment["name"];
    $qvAttachments[$qvIndex]["data"] = (string) file_get_contents($qvAttachment["tmp_name"]);
}

$qvFormat = strtolower(trim(qv_posted($qvPost, "typemail")));
if ($qvFormat !== "plain" && $qvFormat !== "xml")
    $qvFormat = "html";
$qvSubject = $qvConfig["subject"] !== null ? $qvConfig["subject"]
    : qv_to_utf8(qv_posted($qvPost, "subject"), $qvCharset);

// The extra mail text, with the visitor's values for its placeholders.
$qvIntro = $qvConfig["mailtext"] !== null ? $qvConfig["mailtext"]
    : str_replace("#br#", "\n", qv_unscramble(qv_posted($qvPost, "einleittext")));
$qvIntro = preg_replace_callback('/\{#([^#{}]{1,64})#\}/', function ($m) use ($qvValues) {
    return isset($qvValues[$m[1]]) ? $qvValues[$m[1]] : "";
}, $qvIntro);

$qvIpInfo = "";
if (qv_posted($qvPost, "ip") === "-1") {
    $qvIpInfo = "IP: " . (isset($_SERVER["REMOTE_ADDR"]) ? $_SERVER["REMOTE_ADDR"] : "") . "\n"
        . date("Y-m-d H:i:s O");
    if (isset($_SERVER["HTTP_USER_AGENT"]) && is_string($_SERVER["HTTP_USER_AGENT"]))
        $qvIpInfo .= "\n" . substr(qv_to_utf8($_SERVER["HTTP_USER_AGENT"], "utf-8"), 0, 300);
}

$qvRecipients = qv_choose_recipients($qvPost, $qvConfig["recipients"]);
$qvOwner = $qvConfig["owner"];
$qvSender = qv_valid_address(qv_posted($qvPost, "email"));

if (!qv_send($qvRecipients, $qvSubject, qv_mail_body($qvFormat, $qvIntro, $qvFields, $qvIpInfo), $qvOwner,
    $qvSender, $qvAttachments)) {
    error_log("Quorvel form mailer: the mail could not be sent");
    qv_refuse("500 Internal Server Error", array("Die Nachricht konnte nicht gesendet werden. Bitte versuchen "
        . "Sie es später noch einmal. / The message could not be sent. Please try again later."));
}

// The copy goes to an address the visitor typed: only after this very post
// solved a picture code, so the mailer cannot be made to mail strangers.
// The configuration must allow it: the copy goes to whatever address was typed.
if ($qvConfig["copy"] && $qvCaptchaOn && $qvSender !== "" && qv_posted($qvPost, "ReturnToSender") === "-1") {
    $qvWithFields = $qvConfig["copyfields"] !== null ? $qvConfig["copyfields"]
        : qv_posted($qvPost, "copyfields") === "-1";
    $qvCopyFields = $qvWithFields ? $qvFields : array();
    qv_send(array($qvSender), $qvSubject, qv_mail_body($qvFormat, $qvIntro, $qvCopyFields, ""), $qvOwner, $qvOwner,
        array());
}

$qvTarget = qv_redirect_target(trim($qvConfig["thanks"] !== null ? $qvConfig["thanks"] : qv_posted($qvPost, "danke")));
if ($qvTarget !== "") {
    header("Location: " . $qvTarget, true, 303);
    exit;
}
qv_page("200 OK", "Vielen Dank / Thank you", array("Ihre Nachricht wurde gesendet. / Your message has been sent."));
