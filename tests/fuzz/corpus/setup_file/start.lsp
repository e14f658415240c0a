(("CarSetup"
 (Car             ("Car"
