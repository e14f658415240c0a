
	  (Tyres

   
)