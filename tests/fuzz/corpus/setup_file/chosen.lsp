(("CarSetup"
  (Brakes 0.6, 0.4)

)
