<?php
/*
 * Quorvel's mail helpers: checking addresses, building and sending the mail,
 * collecting the post and its uploads, the picture code. The PHP page that
 * Quorvel generates carries a copy of them; the companion form mailer
 * (formmailer.php) loads this file. Everything after this comment is copied
 * into the page as it stands.
 */

// Latin-1 bytes to UTF-8, without depending on mbstring or iconv.
function qv_latin1_to_utf8($text)
{
    $out = "";
    $length = strlen($text);
    for ($i = 0; $i < $length; $i++) {
        $code = ord($text[$i]);
        if ($code < 0x80) {
            $out .= $text[$i];
        } else {
            $out .= chr(0xC0 | ($code >> 6)) . chr(0x80 | ($code & 0x3F));
        }
    }
    return $out;
}

// Any text of this page or of the post, in the page's charset, as UTF-8.
function qv_to_utf8($text, $charset)
{
    $text = str_replace("\0", "", (string) $text);
    if (preg_match('//u', $text)) {
        if (strcasecmp($charset, "utf-8") == 0 || !preg_match('/[\x80-\xFF]/', $text))
            return $text;
    }
    if (strcasecmp($charset, "utf-8") == 0 || stripos($charset, "8859-1") !== false)
        $charset = "Windows-1252";
    if (function_exists("mb_convert_encoding")) {
        $converted = @mb_convert_encoding($text, "UTF-8", $charset);
        if (is_string($converted) && $converted !== "")
            return $converted;
    }
    if (function_exists("iconv")) {
        $converted = @iconv($charset, "UTF-8//IGNORE", $text);
        if (is_string($converted) && $converted !== "")
            return $converted;
    }
    return qv_latin1_to_utf8($text);
}

// What a browser posts for an option without a value attribute: its text
// with character references decoded and runs of white space collapsed.
function qv_option_value($text)
{
    global $qvCharset;
    $decoded = @html_entity_decode($text, ENT_QUOTES | ENT_HTML5, $qvCharset);
    return trim(preg_replace('/[\t\n\f\r ]+/', " ", is_string($decoded) ? $decoded : $text), " ");
}

// A mail address that may stand in a header: one address, nothing else.
function qv_valid_address($address)
{
    $address = trim($address);
    if ($address === "" || preg_match('/[\x00-\x1F\x7F,;<>"]/', $address))
        return "";
    return filter_var($address, FILTER_VALIDATE_EMAIL) !== false ? $address : "";
}

// A header text (the subject): control characters go; it is folded so that
// no line exceeds 78 characters with the header's name before it. A text of
// ASCII words folds at its blanks; any other text is MIME-encoded in words
// short enough for the limit, which may be split anywhere.
function qv_header_text($text)
{
    $text = trim(preg_replace('/[\x00-\x1F\x7F]+/', " ", $text));
    if (!preg_match('/[\x80-\xFF]/', $text) && !preg_match('/[^ ]{70}/', $text)) {
        $lines = array();
        $line = "";
        $limit = 78 - strlen("Subject: ");
        foreach (explode(" ", $text) as $word) {
            if ($line !== "" && strlen($line) + 1 + strlen($word) > $limit) {
                $lines[] = $line;
                $line = "";
                $limit = 77;
            }
            $line = $line === "" ? $word : $line . " " . $word;
        }
        $lines[] = $line;
        return implode("\r\n ", $lines);
    }
    $chars = preg_split('//u', $text, -1, PREG_SPLIT_NO_EMPTY);
    if ($chars === false)
        $chars = str_split($text);
    $words = array();
    $chunk = "";
    foreach ($chars as $char) {
        if (strlen($chunk . $char) > 39) {
            $words[] = "=?UTF-8?B?" . base64_encode($chunk) . "?=";
            $chunk = "";
        }
        $chunk .= $char;
    }
    if ($chunk !== "")
        $words[] = "=?UTF-8?B?" . base64_encode($chunk) . "?=";
    return implode("\r\n ", $words);
}

function qv_html($text)
{
    return htmlspecialchars($text, ENT_QUOTES | ENT_SUBSTITUTE, "UTF-8");
}

// Text for the XML mail: characters XML cannot carry (control characters,
// U+FFFE, U+FFFF) are dropped, so the mail always parses.
function qv_xml($text)
{
    $clean = preg_replace('/[^\x{9}\x{A}\x{D}\x{20}-\x{D7FF}\x{E000}-\x{FFFD}\x{10000}-\x{10FFFF}]/u', "", $text);
    if (!is_string($clean))
        $clean = preg_replace('/[\x00-\x08\x0B\x0C\x0E-\x1F]/', "", $text);
    return htmlspecialchars($clean, ENT_QUOTES | ENT_XML1 | ENT_SUBSTITUTE, "UTF-8");
}

// Text for the plain mail: every line end (CR LF, LF or a lone CR) becomes
// one, and control characters other than tab and line end are dropped, so a
// value cannot start a line of its own.
function qv_plain($text)
{
    $text = preg_replace('/\r\n?/', "\n", $text);
    return preg_replace('/[\x00-\x08\x0B-\x1F]/', "", $text);
}

// The number of characters of a UTF-8 text.
function qv_length($text)
{
    if (function_exists("mb_strlen"))
        return mb_strlen($text, "UTF-8");
    $count = preg_match_all('/./us', $text);
    return $count === false ? strlen($text) : $count;
}

// The post as the generated checks see it: only text values, a missing
// value reads as the empty text, so a forged post can neither raise notices
// nor break a check with an array.
final class QvPost implements ArrayAccess
{
    private $values;

    public function __construct(array $values)
    {
        $this->values = $values;
    }

    #[\ReturnTypeWillChange]
    public function offsetExists($key)
    {
        return isset($this->values[$key]);
    }

    #[\ReturnTypeWillChange]
    public function offsetGet($key)
    {
        return isset($this->values[$key]) ? $this->values[$key] : "";
    }

    #[\ReturnTypeWillChange]
    public function offsetSet($key, $value)
    {
        if ($key !== null)
            $this->values[$key] = (string) $value;
    }

    #[\ReturnTypeWillChange]
    public function offsetUnset($key)
    {
        unset($this->values[$key]);
    }
}

// Uploads the same way: a field without a file reads as "no file".
final class QvFiles implements ArrayAccess
{
    private $files;

    public function __construct(array $files)
    {
        $this->files = $files;
    }

    #[\ReturnTypeWillChange]
    public function offsetExists($key)
    {
        return isset($this->files[$key]);
    }

    #[\ReturnTypeWillChange]
    public function offsetGet($key)
    {
        if (isset($this->files[$key]))
            return $this->files[$key];
        return array("name" => "", "type" => "", "tmp_name" => "", "error" => UPLOAD_ERR_NO_FILE, "size" => 0);
    }

    #[\ReturnTypeWillChange]
    public function offsetSet($key, $value)
    {
    }

    #[\ReturnTypeWillChange]
    public function offsetUnset($key)
    {
        unset($this->files[$key]);
    }
}

// Text values of the post, in post order (the order of the form).
function qv_collect_post(array $post)
{
    $values = array();
    foreach ($post as $name => $value) {
        if (is_string($value))
            $values[(string) $name] = str_replace("\0", "", $value);
    }
    return $values;
}

// Uploaded files, single files only; anything else reads as "no file".
function qv_collect_files(array $files)
{
    $clean = array();
    foreach ($files as $name => $file) {
        if (!is_array($file) || !isset($file["error"], $file["size"], $file["name"], $file["tmp_name"]))
            continue;
        if (is_array($file["error"]) || is_array($file["name"]))
            continue;
        $clean[(string) $name] = array(
            "name" => (string) $file["name"],
            "type" => "application/octet-stream",
            "tmp_name" => (string) $file["tmp_name"],
            "error" => (int) $file["error"],
            "size" => (int) $file["size"],
        );
    }
    return $clean;
}

// A file name for the attachment: never the path the browser sent.
function qv_attachment_name($name)
{
    $name = basename(str_replace("\\", "/", $name));
    $name = preg_replace('/[^A-Za-z0-9._-]+/', "_", $name);
    $name = trim($name, "._");
    if ($name === "")
        $name = "attachment";
    return substr($name, 0, 100);
}

// The picture code: five letters (no digits, so no loose comparison can
// treat it as a number), kept in the session and drawn with GD.
function qv_captcha_picture()
{
    // Without GD there is no picture a script could not read: no code is
    // drawn, so every post fails the check.
    if (!function_exists("imagecreatetruecolor") || !function_exists("imagepng")) {
        error_log("Quorvel form: the picture code needs PHP's GD extension");
        header("HTTP/1.1 503 Service Unavailable");
        header("Content-Type: text/plain; charset=UTF-8");
        echo "The picture code needs PHP's GD extension.";
        return;
    }
    $letters = "ABCDEFGHJKLMNPRSTUVWXYZ";
    $code = "";
    for ($i = 0; $i < 5; $i++)
        $code .= $letters[random_int(0, strlen($letters) - 1)];
    $_SESSION["captcha"] = $code;
    session_write_close();
    header("Cache-Control: no-store, no-cache, must-revalidate");
    header("Pragma: no-cache");
    $small = imagecreatetruecolor(66, 22);
    imagefilledrectangle($small, 0, 0, 65, 21, imagecolorallocate($small, 246, 246, 240));
    for ($i = 0; $i < 5; $i++) {
        $color = imagecolorallocate($small, random_int(0, 100), random_int(0, 100), random_int(0, 120));
        imagestring($small, 5, 3 + $i * 12 + random_int(-1, 1), random_int(1, 6), $code[$i], $color);
    }
    $picture = imagecreatetruecolor(132, 44);
    imagecopyresampled($picture, $small, 0, 0, 0, 0, 132, 44, 66, 22);
    for ($i = 0; $i < 6; $i++) {
        $color = imagecolorallocate($picture, random_int(120, 200), random_int(120, 200), random_int(120, 200));
        imageline($picture, random_int(0, 131), random_int(0, 43), random_int(0, 131), random_int(0, 43), $color);
    }
    header("Content-Type: image/png");
    imagepng($picture);
}

// Builds one mail body in the chosen format; returns array(content type, text).
function qv_mail_body($format, $intro, array $fields, $ipInfo)
{
    if ($format === "plain") {
        $text = "";
        if ($intro !== "")
            $text .= str_replace("\n", "\r\n", qv_plain($intro)) . "\r\n\r\n";
        foreach ($fields as $name => $value)
            $text .= $name . ": " . str_replace("\n", "\r\n  ", qv_plain($value)) . "\r\n";
        if ($ipInfo !== "")
            $text .= "\r\n" . $ipInfo . "\r\n";
        return array("text/plain; charset=UTF-8", $text);
    }
    if ($format === "xml") {
        $text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<form>\r\n";
        if ($intro !== "")
            $text .= "  <text>" . qv_xml($intro) . "</text>\r\n";
        foreach ($fields as $name => $value)
            $text .= "  <field name=\"" . qv_xml($name) . "\">" . qv_xml($value) . "</field>\r\n";
        if ($ipInfo !== "")
            $text .= "  <sender>" . qv_xml($ipInfo) . "</sender>\r\n";
        $text .= "</form>\r\n";
        return array("text/xml; charset=UTF-8", $text);
    }
    $text = "<!DOCTYPE html>\r\n<html><head><meta charset=\"UTF-8\"></head><body>\r\n";
    if ($intro !== "")
        $text .= "<p>" . nl2br(qv_html($intro)) . "</p>\r\n";
    if (count($fields) > 0) {
        $text .= "<table cellpadding=\"4\" cellspacing=\"0\" border=\"1\">\r\n";
        foreach ($fields as $name => $value)
            $text .= "<tr><th align=\"left\" valign=\"top\">" . qv_html($name) . "</th><td>"
                . nl2br(qv_html($value)) . "</td></tr>\r\n";
        $text .= "</table>\r\n";
    }
    if ($ipInfo !== "")
        $text .= "<p><small>" . nl2br(qv_html($ipInfo)) . "</small></p>\r\n";
    $text .= "</body></html>\r\n";
    return array("text/html; charset=UTF-8", $text);
}

// Sends one mail. Addresses must have passed qv_valid_address.
function qv_send(array $to, $subject, array $body, $from, $replyTo, array $attachments)
{
    $headers = array("MIME-Version: 1.0");
    if ($from !== "")
        $headers[] = "From: " . $from;
    if ($replyTo !== "")
        $headers[] = "Reply-To: " . $replyTo;
    $text = quoted_printable_encode(str_replace("\n", "\r\n", str_replace("\r\n", "\n", $body[1])));
    if (count($attachments) == 0) {
        $headers[] = "Content-Type: " . $body[0];
        $headers[] = "Content-Transfer-Encoding: quoted-printable";
        $message = $text;
    } else {
        $boundary = "qv-" . bin2hex(random_bytes(12));
        $headers[] = "Content-Type: multipart/mixed; boundary=\"" . $boundary . "\"";
        $message = "--" . $boundary . "\r\nContent-Type: " . $body[0]
            . "\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n" . $text . "\r\n";
        foreach ($attachments as $attachment) {
            $message .= "--" . $boundary . "\r\nContent-Type: application/octet-stream; name=\""
                . $attachment["name"] . "\"\r\nContent-Transfer-Encoding: base64\r\n"
                . "Content-Disposition: attachment; filename=\"" . $attachment["name"] . "\"\r\n\r\n"
                . chunk_split(base64_encode($attachment["data"]), 76, "\r\n");
        }
        $message .= "--" . $boundary . "--\r\n";
    }
    return @mail(implode(", ", $to), qv_header_text($subject), $message, implode("\r\n", $headers));
}

// A thank-you address that may go into the Location header.
function qv_redirect_target($address)
{
    if ($address === "" || preg_match('/[\x00-\x20\x7F]/', $address))
        return "";
    if (preg_match('~^(https?://[^/\\\\]|/[^/\\\\]|[A-Za-z0-9_.-]+(/|$|\?|#))~i', $address))
        return $address;
    return "";
}
