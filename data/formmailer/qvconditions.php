<?php
/*
 * Fields that apply only when a condition on an earlier field holds. The PHP
 * page takes everything after this comment when one of its fields has a
 * condition; it works the conditions out from the post, never trusting what
 * the browser showed or hid.
 */

// Whether a condition holds for the post: the other field's posted value
// (null when nothing was posted for it, as for a box not ticked) is tested.
function qv_condition_holds(array $post, $field, $test, $value)
{
    $posted = isset($post[$field]) ? (string) $post[$field] : null;
    switch ($test) {
        case "Is":
            return $posted !== null && $posted === $value;
        case "IsNot":
            return $posted === null || $posted !== $value;
        case "IsTicked":
            return $posted !== null;
        case "IsNotTicked":
            return $posted === null;
        case "IsFilled":
            return $posted !== null && trim($posted) !== "";
        case "IsEmpty":
            return $posted === null || trim($posted) === "";
    }
    return false;
}

// What a browser posts for a value attribute: its text with character
// references decoded.
function qv_attribute_value($text)
{
    global $qvCharset;
    $decoded = @html_entity_decode($text, ENT_QUOTES | ENT_HTML5, $qvCharset);
    return is_string($decoded) ? $decoded : $text;
}

// Takes the values and files of a field that does not apply out of the post.
function qv_condition_drop(array &$post, array &$files, array $names)
{
    foreach ($names as $name)
        unset($post[$name], $files[$name]);
}
