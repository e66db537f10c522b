// Before the runtime: whatever it would print (a failed load, an abort)
// is kept for the page to say and the tests to see, not put on the console.
Module.zamvelLog = [];
Module.print = Module.printErr = function (text) { Module.zamvelLog.push(String(text)); };
