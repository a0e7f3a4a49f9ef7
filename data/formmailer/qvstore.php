<?php
/*
 * Quorvel's store of submissions: the PHP page keeps every accepted post in
 * a folder outside the web folder, in an SQLite database through PDO, or,
 * where PDO has no SQLite driver, in a CSV file written under a lock. The
 * program fetches the folder by FTP. Nothing of the store is ever shown to
 * a visitor. The page takes everything after this comment.
 */

define("QV_STORE_DATABASE", "submissions.sqlite");
define("QV_STORE_CSV", "submissions.csv");
define("QV_STORE_FILES", "files");

// A path with "." and ".." worked out and single separators, without
// asking the file system (the folder may not exist yet).
function qv_store_clean_path($path)
{
    $parts = array();
    foreach (explode("/", str_replace("\\", "/", $path)) as $part) {
        if ($part === "" || $part === ".")
            continue;
        if ($part === "..")
            array_pop($parts);
        else
            $parts[] = $part;
    }
    return "/" . implode("/", $parts);
}

// The path as the file system has it: the links of its longest existing
// part resolved, the rest appended.
function qv_store_real_path($path)
{
    $rest = "";
    while ($path !== "/" && !file_exists($path)) {
        $rest = "/" . basename($path) . $rest;
        $path = dirname($path);
    }
    $real = realpath($path);
    if ($real === false)
        return "";
    return rtrim($real, "/") . $rest;
}

// The store's folder: the configured one (a relative path counts from this
// page's folder), or "quorvel-data" beside the web folder. Empty, with the
// reason in $why, when it would lie inside the web folder, where a visitor
// could fetch it.
function qv_store_folder($configured, &$why)
{
    $why = "";
    $root = isset($_SERVER["DOCUMENT_ROOT"]) && is_string($_SERVER["DOCUMENT_ROOT"])
        ? qv_store_real_path(qv_store_clean_path($_SERVER["DOCUMENT_ROOT"])) : "";
    if ($root === "" || $root === "/") {
        $why = "the web folder is not known";
        return "";
    }
    if ($configured === "")
        $folder = dirname($root) . "/quorvel-data";
    elseif ($configured[0] === "/")
        $folder = $configured;
    else
        $folder = dirname(__FILE__) . "/" . $configured;
    $folder = qv_store_real_path(qv_store_clean_path($folder));
    if ($folder === "" || $folder === $root || strpos($folder . "/", $root . "/") === 0) {
        $why = "its folder lies inside the web folder";
        return "";
    }
    return $folder;
}

// Makes the folder (owner only) with its second line of defence, should it
// ever be served: a deny-all .htaccess and an empty index.html.
function qv_store_prepare($folder)
{
    if (!is_dir($folder) && !@mkdir($folder, 0700, true) && !is_dir($folder))
        return false;
    if (!is_dir($folder . "/" . QV_STORE_FILES) && !@mkdir($folder . "/" . QV_STORE_FILES, 0700)
        && !is_dir($folder . "/" . QV_STORE_FILES))
        return false;
    $guards = array(
        ".htaccess" => "Require all denied\nDeny from all\n",
        "index.html" => "",
        QV_STORE_FILES . "/.htaccess" => "Require all denied\nDeny from all\n",
        QV_STORE_FILES . "/index.html" => "",
    );
    foreach ($guards as $name => $text) {
        $path = $folder . "/" . $name;
        if (!file_exists($path) && @file_put_contents($path, $text) === false)
            return false;
        @chmod($path, 0600);
    }
    return is_writable($folder) && is_writable($folder . "/" . QV_STORE_FILES);
}

// Opens the store: array("kind" => "sqlite", "pdo" => ...) or
// array("kind" => "csv", "path" => ...), with "folder"; a text saying why on
// failure (for the server's log only).
function qv_store_open($configured)
{
    $folder = qv_store_folder($configured, $why);
    if ($folder === "")
        return $why;
    if (!qv_store_prepare($folder))
        return "its folder cannot be written";
    $old = umask(0077);
    try {
        if (class_exists("PDO") && in_array("sqlite", PDO::getAvailableDrivers(), true)) {
            $path = $folder . "/" . QV_STORE_DATABASE;
            $fresh = !file_exists($path);
            $pdo = new PDO("sqlite:" . $path, null, null, array(PDO::ATTR_ERRMODE => PDO::ERRMODE_EXCEPTION,
                PDO::ATTR_TIMEOUT => 20));
            $pdo->exec("CREATE TABLE IF NOT EXISTS entries (id TEXT PRIMARY KEY, time TEXT NOT NULL, "
                . "fields TEXT NOT NULL, attachments TEXT NOT NULL, mail INTEGER)");
            @chmod($path, 0600);
            if ($fresh)
                error_log("Quorvel form: submissions are stored in the SQLite database " . QV_STORE_DATABASE);
            return array("kind" => "sqlite", "pdo" => $pdo, "folder" => $folder);
        }
        $path = $folder . "/" . QV_STORE_CSV;
        if (!file_exists($path))
            error_log("Quorvel form: PDO has no SQLite driver here; submissions are stored in the CSV file "
                . QV_STORE_CSV);
        $handle = @fopen($path, "c+");
        if ($handle === false)
            return "its CSV file cannot be opened";
        @chmod($path, 0600);
        return array("kind" => "csv", "handle" => $handle, "folder" => $folder);
    } catch (Exception $e) {
        return "its database cannot be opened (" . $e->getMessage() . ")";
    } finally {
        umask($old);
    }
}

// One CSV line, every cell quoted, so that no value can end its cell.
function qv_store_csv_line(array $cells)
{
    $quoted = array();
    foreach ($cells as $cell)
        $quoted[] = "\"" . str_replace("\"", "\"\"", (string) $cell) . "\"";
    return implode(",", $quoted) . "\r\n";
}

// Appends lines to the CSV file under its lock, all or nothing.
function qv_store_csv_append($handle, $text)
{
    if (!flock($handle, LOCK_EX))
        return false;
    fseek($handle, 0, SEEK_END);
    $start = ftell($handle);
    $written = fwrite($handle, $text);
    $ok = $written === strlen($text) && fflush($handle);
    if (!$ok)
        ftruncate($handle, $start);
    flock($handle, LOCK_UN);
    return $ok;
}

// Keeps one entry: the time, the form's own values (name => UTF-8 text, in
// form order) and its attachments (each with "field", "name" and "data"),
// the files under generated names. Returns the entry's id, or "" when
// nothing was kept (then no file of it stays behind either).
function qv_store_add(array $store, array $values, array $attachments)
{
    $id = bin2hex(random_bytes(8));
    $fields = array();
    foreach ($values as $name => $value)
        $fields[] = array("name" => (string) $name, "value" => (string) $value);
    $files = array();
    $written = array();
    $old = umask(0077);
    $ok = true;
    foreach ($attachments as $n => $attachment) {
        $stored = QV_STORE_FILES . "/" . $id . "-" . ($n + 1);
        $path = $store["folder"] . "/" . $stored;
        if (@file_put_contents($path, $attachment["data"], LOCK_EX) !== strlen($attachment["data"])) {
            $ok = false;
            break;
        }
        @chmod($path, 0600);
        $written[] = $path;
        $files[] = array("field" => (string) $attachment["field"], "name" => (string) $attachment["name"],
            "size" => strlen($attachment["data"]), "file" => $stored);
    }
    umask($old);
    $time = gmdate("Y-m-d\\TH:i:s\\Z");
    $fieldText = json_encode($fields, JSON_UNESCAPED_UNICODE | JSON_UNESCAPED_SLASHES);
    $fileText = json_encode($files, JSON_UNESCAPED_UNICODE | JSON_UNESCAPED_SLASHES);
    if ($fieldText === false || $fileText === false)
        $ok = false;
    if ($ok) {
        if ($store["kind"] === "sqlite") {
            try {
                $store["pdo"]->beginTransaction();
                $insert = $store["pdo"]->prepare(
                    "INSERT INTO entries (id, time, fields, attachments, mail) VALUES (?, ?, ?, ?, NULL)");
                $insert->execute(array($id, $time, $fieldText, $fileText));
                $store["pdo"]->commit();
            } catch (Exception $e) {
                if ($store["pdo"]->inTransaction())
                    $store["pdo"]->rollBack();
                error_log("Quorvel form: the entry could not be stored (" . $e->getMessage() . ")");
                $ok = false;
            }
        } else {
            $ok = qv_store_csv_append($store["handle"],
                qv_store_csv_line(array("entry", $id, $time, "", $fieldText, $fileText)));
        }
    }
    if (!$ok) {
        foreach ($written as $path)
            @unlink($path);
        return "";
    }
    return $id;
}

// Notes whether the entry's mail went out.
function qv_store_mail_result(array $store, $id, $sent)
{
    if ($store["kind"] === "sqlite") {
        try {
            $store["pdo"]->prepare("UPDATE entries SET mail = ? WHERE id = ?")->execute(array($sent ? 1 : 0, $id));
        } catch (Exception $e) {
            error_log("Quorvel form: the mail's result could not be stored (" . $e->getMessage() . ")");
        }
        return;
    }
    qv_store_csv_append($store["handle"], qv_store_csv_line(array("mail", $id, "", $sent ? "1" : "0", "", "")));
}
