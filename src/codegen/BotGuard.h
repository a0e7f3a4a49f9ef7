#pragma once

#include <QString>

// What the generated pages and the form mailer share about the defence
// against spam robots (data/formmailer/qvguard.php checks the posts).
namespace BotGuard
{
// The field people never see; a post that fills it is a robot's.
inline constexpr const char* Honeypot = "homepage_url";

// A new secret for the form token: 32 random bytes in hex.
QString NewSecret();

// The most posts per client address and hour a project allows: its
// number, 0 (no limit) for an empty, negative or unreadable one.
int PostsPerHour(const QString& typed);

// The text refusing a post without JavaScript (the HTML form's token
// comes from a script).
QString NoScriptNotice();
} // namespace BotGuard
