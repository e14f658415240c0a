xy
z
0.50,,""
(Gear 3)  	
