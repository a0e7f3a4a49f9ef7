// Pop-up calendar of the date fields. Each date field's script creates one
// DynCal right after its input; the calendar button appears where that
// script stands, and a picked day goes to the field's callback, which writes
// formatDate(day, month, year) into the field and closes the calendar again.

function formatDate(day, month, year) {
  day = (Number(day) < 10 ? "0" : "") + Number(day);
  month = (Number(month) < 10 ? "0" : "") + Number(month);
  year = String(year);
  return {#calDateFormat#};
}

function DynCal(objName, callbackName, startYear, endYear) {
  var thisYear = new Date().getFullYear();
  this.objName = objName;
  this.callbackName = callbackName;
  this.startYear = parseInt(startYear, 10) || thisYear;
  this.endYear = parseInt(endYear, 10) || this.startYear;
  if (this.endYear < this.startYear)
    this.endYear = this.startYear;
  this.popup = null;
  this.picked = null;
  this.opener = this.createOpener();
}

DynCal.monthNames = ["{#calJan#}", "{#calFeb#}", "{#calMar#}", "{#calApr#}", "{#calMay#}", "{#calJun#}",
                     "{#calJul#}", "{#calAug#}", "{#calSep#}", "{#calOkt#}", "{#calNov#}", "{#calDez#}"];
DynCal.dayNames = ["{#calMo#}", "{#calTu#}", "{#calWe#}", "{#calTh#}", "{#calFr#}", "{#calSa#}", "{#calSu#}"];

DynCal.prototype.element = function (tag, className, text) {
  var el = document.createElement(tag);
  if (className)
    el.className = className;
  if (text !== undefined)
    el.appendChild(document.createTextNode(text));
  return el;
};

// The button goes right after the script that creates the calendar, that is
// beside the date field. A calendar made later, from other script, has none.
DynCal.prototype.createOpener = function () {
  var self = this;
  var button = this.element("button", "qvcal-button");
  var icon = this.element("img");
  var now = new Date();
  button.type = "button";
  button.setAttribute("aria-expanded", "false");
  button.title = DynCal.monthNames[now.getMonth()] + " " + now.getFullYear();
  icon.src = "cal.png";
  icon.alt = button.title;
  button.appendChild(icon);
  button.onclick = function () {
    self.toggleCal();
  };
  var script = document.currentScript;
  if (!script && document.readyState == "loading") {
    var scripts = document.getElementsByTagName("script");
    script = scripts[scripts.length - 1];
  }
  if (script && script.parentNode)
    script.parentNode.insertBefore(button, script.nextSibling);
  return button;
};

DynCal.prototype.isOpen = function () {
  return this.popup !== null && !this.popup.hidden;
};

DynCal.prototype.toggleCal = function () {
  if (this.isOpen())
    this.hide();
  else
    this.show();
};

DynCal.prototype.show = function () {
  var self = this;
  var today = new Date();
  var start = this.picked || { year: today.getFullYear(), month: today.getMonth() };
  this.setView(start.year, start.month);
  if (!this.popup)
    this.build();
  this.render();
  this.popup.hidden = false;
  this.opener.setAttribute("aria-expanded", "true");
  this.place();
  this.outsideClick = function (e) {
    if (!self.popup.contains(e.target) && !self.opener.contains(e.target))
      self.hide();
  };
  document.addEventListener("mousedown", this.outsideClick);
};

DynCal.prototype.hide = function () {
  if (!this.popup)
    return;
  var hadFocus = this.popup.contains(document.activeElement);
  this.popup.hidden = true;
  this.opener.setAttribute("aria-expanded", "false");
  document.removeEventListener("mousedown", this.outsideClick);
  if (hadFocus && this.opener.parentNode)
    this.opener.focus();
};

// Below the button, moved left where the window is too narrow.
DynCal.prototype.place = function () {
  var scrollX = window.pageXOffset || 0;
  var scrollY = window.pageYOffset || 0;
  var left = scrollX + 4;
  var top = scrollY + 4;
  if (this.opener.parentNode) {
    var r = this.opener.getBoundingClientRect();
    left = r.left + scrollX;
    top = r.bottom + scrollY + 2;
  }
  var maxLeft = scrollX + document.documentElement.clientWidth - this.popup.offsetWidth - 4;
  this.popup.style.left = Math.max(scrollX + 4, Math.min(left, maxLeft)) + "px";
  this.popup.style.top = top + "px";
};

DynCal.prototype.setView = function (year, month) {
  if (year < this.startYear) {
    year = this.startYear;
    month = 0;
  } else if (year > this.endYear) {
    year = this.endYear;
    month = 11;
  }
  this.viewYear = year;
  this.viewMonth = month;
};

DynCal.prototype.step = function (months) {
  var m = this.viewYear * 12 + this.viewMonth + months;
  this.setView(Math.floor(m / 12), m % 12);
  this.render();
};

DynCal.prototype.build = function () {
  var self = this;
  var popup = this.element("div", "qvcal");
  var head = this.element("div", "qvcal-head");
  var i, option;
  popup.setAttribute("role", "dialog");
  popup.hidden = true;

  this.prevButton = this.element("button", "qvcal-nav", "\u2039");
  this.prevButton.type = "button";
  this.prevButton.onclick = function () {
    self.step(-1);
  };
  this.nextButton = this.element("button", "qvcal-nav", "\u203A");
  this.nextButton.type = "button";
  this.nextButton.onclick = function () {
    self.step(1);
  };

  this.monthSelect = this.element("select", "qvcal-month");
  for (i = 0; i < 12; i++) {
    option = this.element("option", "", DynCal.monthNames[i]);
    option.value = String(i);
    this.monthSelect.appendChild(option);
  }
  this.monthSelect.onchange = function () {
    self.setView(self.viewYear, parseInt(self.monthSelect.value, 10));
    self.render();
  };
  this.yearSelect = this.element("select", "qvcal-year");
  for (i = this.startYear; i <= this.endYear; i++) {
    option = this.element("option", "", String(i));
    option.value = String(i);
    this.yearSelect.appendChild(option);
  }
  this.yearSelect.onchange = function () {
    self.setView(parseInt(self.yearSelect.value, 10), self.viewMonth);
    self.render();
  };

  head.appendChild(this.prevButton);
  head.appendChild(this.monthSelect);
  head.appendChild(this.yearSelect);
  head.appendChild(this.nextButton);
  popup.appendChild(head);

  var grid = this.element("table", "qvcal-grid");
  var headRow = this.element("tr", "qvcal-wd");
  for (i = 0; i < 7; i++)
    headRow.appendChild(this.element("th", i > 4 ? "qvcal-weekend" : "", DynCal.dayNames[i]));
  var thead = this.element("thead");
  thead.appendChild(headRow);
  grid.appendChild(thead);
  this.days = this.element("tbody");
  grid.appendChild(this.days);
  popup.appendChild(grid);

  popup.onkeydown = function (e) {
    if (e.key == "Escape" || e.keyCode == 27)
      self.hide();
  };
  document.body.appendChild(popup);
  this.popup = popup;
};

DynCal.prototype.render = function () {
  var year = this.viewYear;
  var month = this.viewMonth;
  var today = new Date();
  var offset = (new Date(year, month, 1).getDay() + 6) % 7; // weeks start on Monday
  var length = new Date(year, month + 1, 0).getDate();
  var row = null;

  this.monthSelect.value = String(month);
  this.yearSelect.value = String(year);
  this.prevButton.disabled = year == this.startYear && month == 0;
  this.nextButton.disabled = year == this.endYear && month == 11;
  while (this.days.firstChild)
    this.days.removeChild(this.days.firstChild);

  for (var cell = 0; cell < offset + length || cell % 7 != 0; cell++) {
    if (cell % 7 == 0) {
      row = this.element("tr");
      this.days.appendChild(row);
    }
    var day = cell - offset + 1;
    if (day < 1 || day > length) {
      row.appendChild(this.element("td", "qvcal-empty"));
      continue;
    }
    var classes = "qvcal-day";
    if (cell % 7 > 4)
      classes += " qvcal-weekend";
    if (year == today.getFullYear() && month == today.getMonth() && day == today.getDate())
      classes += " qvcal-today";
    if (this.picked && this.picked.year == year && this.picked.month == month && this.picked.day == day)
      classes += " qvcal-picked";
    row.appendChild(this.dayCell(day, classes));
  }
};

DynCal.prototype.dayCell = function (day, classes) {
  var self = this;
  var td = this.element("td", classes, String(day));
  td.tabIndex = 0;
  td.onclick = function () {
    self.pick(day);
  };
  td.onkeydown = function (e) {
    if (e.key == "Enter" || e.key == " " || e.keyCode == 13 || e.keyCode == 32) {
      e.preventDefault();
      self.pick(day);
    }
  };
  return td;
};

// The field's callback closes the calendar itself (it calls toggleCal).
DynCal.prototype.pick = function (day) {
  this.picked = { year: this.viewYear, month: this.viewMonth, day: day };
  var callback = window[this.callbackName];
  if (typeof callback == "function")
    callback(day, this.viewMonth + 1, this.viewYear);
  else
    this.hide();
};
