// A new picture code; the extra parameter keeps caches from serving the old picture.
function captchaRefresh() {
  var picture = document.getElementById("captcha_img");
  if (picture)
    picture.src = "{#CAPTCHALINK#}" + "&r=" + Date.now();
  return false;
}
