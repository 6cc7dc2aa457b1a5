// The least a page can do for Enter: write 1240 / value into the result box,
// in the input's own handler, as Lumbrix's page does through its core.
"use strict";
const Text1 = document.getElementById("Text1");
const Text2 = document.getElementById("Text2");
Text1.addEventListener("keydown", (event) => {
  if (event.key !== "Enter") return;
  Text2.value = String(1240 / Number(Text1.value));
  event.preventDefault();
});
// As Lumbrix's page says it is ready; here at once.
window.lumbrixReady = Promise.resolve();
