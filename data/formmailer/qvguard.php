<?php
/*
 * Defence against spam robots, shared by formmailer.php and the PHP page
 * (which takes everything after this comment): a field people never see,
 * a post sent sooner than a person can, and a signed form token that
 * expires and is good for one post; optionally the most posts per client
 * address and hour. What it remembers lies outside the web folder.
 */

// A post sooner than this after the form was served is a robot's.
define("QV_GUARD_MIN_SECONDS", 3);
// A form token is good for this long.
define("QV_GUARD_MAX_AGE", 7200);
// The field people never see; it must come back empty.
define("QV_GUARD_HONEYPOT", "homepage_url");

// The one answer to a refused post, whatever caught it.
function qv_guard_refusal()
{
    return "Die Nachricht konnte nicht angenommen werden. Bitte laden Sie die Seite neu und senden Sie sie noch "
        . "einmal. / The message could not be accepted. Please reload the page and send it again.";
}

// The signature of a form number and the time its form was served.
function qv_guard_signature($secret, $formId, $time)
{
    return hash_hmac("sha256", $formId . "|" . $time, $secret);
}

// A token for the form, served now: "time.signature".
function qv_guard_token($secret, $formId)
{
    $time = time();
    return $time . "." . qv_guard_signature($secret, $formId, $time);
}

// The folder of the used tokens and the post counts, owner-only, named
// after the secret so that forms with different secrets keep apart; ""
// when it cannot be made.
function qv_guard_folder($secret)
{
    $folder = rtrim(sys_get_temp_dir(), "/\\") . DIRECTORY_SEPARATOR . "qvguard-"
        . substr(hash("sha256", "folder|" . $secret), 0, 24);
    if (!is_dir($folder) && !@mkdir($folder, 0700) && !is_dir($folder))
        return "";
    return $folder;
}

// Reads a list of "key time" lines under an exclusive lock, lets $update
// change it (it returns whether the post may pass) and writes it back.
// Without its file the post is refused: the layer cannot be checked.
function qv_guard_update($folder, $name, callable $update)
{
    if ($folder === "")
        return false;
    $handle = @fopen($folder . DIRECTORY_SEPARATOR . $name, "c+");
    if ($handle === false)
        return false;
    @chmod($folder . DIRECTORY_SEPARATOR . $name, 0600);
    if (!flock($handle, LOCK_EX)) {
        fclose($handle);
        return false;
    }
    $entries = array();
    $now = time();
    while (($line = fgets($handle)) !== false) {
        $parts = explode(" ", trim($line));
        // Entries older than any token or hour are dropped.
        if (count($parts) == 2 && (int) $parts[1] > $now - QV_GUARD_MAX_AGE - 60)
            $entries[] = array($parts[0], (int) $parts[1]);
    }
    $pass = $update($entries, $now);
    $text = "";
    foreach ($entries as $entry)
        $text .= $entry[0] . " " . $entry[1] . "\n";
    ftruncate($handle, 0);
    rewind($handle);
    fwrite($handle, $text);
    fflush($handle);
    flock($handle, LOCK_UN);
    fclose($handle);
    return $pass;
}

// Why the post is a robot's ("honeypot", "time trap", "token", "expired",
// "replay", "rate limit"), "" when it passes. $perHour 0: no limit.
function qv_guard_check(array $post, $secret, $formId, $perHour, $address)
{
    if (isset($post[QV_GUARD_HONEYPOT]) && $post[QV_GUARD_HONEYPOT] !== "")
        return "honeypot";
    $token = isset($post["qv_token"]) ? $post["qv_token"] : "";
    if ($secret === "" || !preg_match('/^([0-9]{1,12})\.([0-9a-f]{64})$/', $token, $m)
        || !hash_equals(qv_guard_signature($secret, $formId, $m[1]), $m[2]))
        return "token";
    $age = time() - (int) $m[1];
    if ($age < -60 || $age > QV_GUARD_MAX_AGE)
        return "expired";
    if ($age < QV_GUARD_MIN_SECONDS)
        return "time trap";
    $folder = qv_guard_folder($secret);
    $used = hash("sha256", $token);
    $fresh = qv_guard_update($folder, "tokens", function (array &$entries, $now) use ($used) {
        foreach ($entries as $entry) {
            if ($entry[0] === $used)
                return false;
        }
        $entries[] = array($used, $now);
        return true;
    });
    if (!$fresh)
        return "replay";
    if ($perHour > 0) {
        $client = hash_hmac("sha256", "client|" . $address, $secret);
        $within = qv_guard_update($folder, "posts", function (array &$entries, $now) use ($client, $perHour) {
            $count = 0;
            foreach ($entries as $index => $entry) {
                if ($entry[1] <= $now - 3600)
                    unset($entries[$index]);
                elseif ($entry[0] === $client)
                    $count++;
            }
            if ($count >= $perHour)
                return false;
            $entries[] = array($client, $now);
            return true;
        });
        if (!$within)
            return "rate limit";
    }
    return "";
}
